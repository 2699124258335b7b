#include <gtest/gtest.h>

#include "model/model_error.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "tests/model/document_fixture.h"
#include "tests/support/model_doubles/recording_control.h"

namespace vrn::testing {
namespace {

class OptionTest : public DocumentFixture {
protected:
    void SetUp() override {
        document = NewDocument(1);
        practice = document->Existing()->Practices.Item(1);
    }
    std::shared_ptr<VRN_Matrix> document;
    std::shared_ptr<VRN_Practice> practice;
};

TEST_F(OptionTest, NewOptionGroupReplacesThePracticesOldOne) {
    auto old = std::make_shared<VRN_Optiongroup>();
    old->Create("Old", practice, &window, true, "{OG}", 9);
    EXPECT_TRUE(old->is_entity);
    EXPECT_EQ(old->entity_UID, "{OG}");
    EXPECT_EQ(old->entity_ID, 9);
    EXPECT_EQ(old->Prompt, "");
    EXPECT_FALSE(old->Enabled);

    auto replacement = std::make_shared<VRN_Optiongroup>();
    replacement->Create("New", practice, &window);
    EXPECT_EQ(practice->OptionGroup, replacement);
    EXPECT_EQ(replacement->partOf.lock(), practice);
    EXPECT_TRUE(replacement->Options.Empty());

    practice->RemoveOptionGroup();
    EXPECT_EQ(practice->OptionGroup, nullptr);
}

TEST_F(OptionTest, OptionsAppendAndKeepOnlyTheEntityFlag) {
    auto group = std::make_shared<VRN_Optiongroup>();
    group->Create("How", practice, &window);
    auto plain = std::make_shared<VRN_Option>();
    plain->Create("Plain", group, &window);
    auto bound = std::make_shared<VRN_Option>();
    bound->Create("Bound", group, &window, true, "{O-1}", 4);

    EXPECT_EQ(NamesOf(group->Options), (std::vector<std::string>{"Plain", "Bound"}));
    EXPECT_EQ(bound->partOf.lock(), group);
    EXPECT_TRUE(bound->is_entity);
    EXPECT_EQ(bound->entity_UID, "");
    EXPECT_EQ(bound->entity_ID, 0);
}

TEST_F(OptionTest, NameAndDescriptionAreSeparateAndWriteAnAttachedDisplay) {
    auto group = std::make_shared<VRN_Optiongroup>();
    group->Create("Question", practice, &window);
    group->setDescription("Longer text");
    EXPECT_EQ(group->Name(), "Question");
    EXPECT_EQ(group->Description(), "Longer text");

    auto display = std::make_shared<RecordingControl>();
    group->Display = display;
    group->setName("Renamed");
    EXPECT_EQ(display->text(), "Renamed");
    group->setDescription("Shown");
    EXPECT_EQ(display->text(), "Shown");
    EXPECT_EQ(group->Name(), "Renamed");
}

TEST_F(OptionTest, CreateNeedsAnOwner) {
    EXPECT_THROW(std::make_shared<VRN_Optiongroup>()->Create("x", nullptr, &window), ModelError);
    EXPECT_THROW(std::make_shared<VRN_Option>()->Create("x", nullptr, &window), ModelError);
}

}  // namespace
}  // namespace vrn::testing
