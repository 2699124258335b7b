#include <gtest/gtest.h>

#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "tests/model/document_fixture.h"

namespace vrn::testing {
namespace {

using Names = std::vector<std::string>;

class PracticeGroupTest : public DocumentFixture {
protected:
    void SetUp() override {
        document = NewDocument(1);
        existing = document->Existing();
        first = existing->PGroups.Item(1);
    }

    static void GiveOptions(const std::shared_ptr<VRN_Practice>& practice, MatrixWindow* window) {
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create("Sourcing", practice, window);
        auto option = std::make_shared<VRN_Option>();
        option->Create("In house", options, window);
    }

    std::shared_ptr<VRN_Matrix> document;
    std::shared_ptr<VRN_State> existing;
    std::shared_ptr<VRN_PracticeGroup> first;
};

TEST_F(PracticeGroupTest, NewGroupFollowsItsGroupWithOneDefaultPractice) {
    const auto sales = first->AddNewPracticeGroup("Sales");
    const auto middle = first->AddNewPracticeGroup("Middle");

    EXPECT_EQ(NamesOf(existing->PGroups), (Names{"Existing Practices Group", "Middle", "Sales"}));
    EXPECT_EQ(NamesOf(middle->PracticeParts), Names{"Existing Practice 1"});
    // The new group's practice follows the last practice of the group before it.
    EXPECT_EQ(existing->Practices.Item(4), middle->PracticeParts.Item(1));
    EXPECT_EQ(existing->Practices.Item(5), sales->PracticeParts.Item(1));
    EXPECT_EQ(middle->PracticeParts.Item(1)->Interactions.Count(), 4 + 3);

    const auto targetGroup = document->alternative(1)->PGroups.Item(1)->AddNewPracticeGroup("Lean");
    EXPECT_EQ(NamesOf(targetGroup->PracticeParts), Names{"New Practice 1"});
    EXPECT_TRUE(targetGroup->PracticeParts.Item(1)->horizontal);
}

TEST_F(PracticeGroupTest, BlankGroupHasOneBlankPracticeWithBlankInteractions) {
    const auto blank = first->AddBlankPracticeGroup();
    EXPECT_EQ(blank->Name(), "");
    EXPECT_TRUE(blank->is_blank);
    EXPECT_EQ(blank->Display->BackColor(), kBlankColor);
    ASSERT_EQ(blank->PracticeParts.Count(), 1);
    const auto& practice = blank->PracticeParts.Item(1);
    EXPECT_EQ(practice->Name(), "");
    EXPECT_TRUE(practice->is_blank);
    EXPECT_EQ(practice->Display->BackColor(), kBlankColor);
    for (const auto& interaction : practice->Interactions) {
        EXPECT_TRUE(interaction->is_blank);
        EXPECT_EQ(interaction->Display->ToolTipText(), "");
    }
    EXPECT_EQ(practice->Interactions.Count(), 3 + 3);
}

TEST_F(PracticeGroupTest, PastedCopyFollowsTheGroupItWasPastedOn) {
    const auto second = first->AddNewPracticeGroup("Second");
    GiveOptions(first->PracticeParts.Item(2), &window);
    first->is_entity = true;
    first->entity_UID = "{G}";

    auto copy = std::make_shared<VRN_PracticeGroup>();
    copy->Copy(first, first);

    EXPECT_EQ(existing->PGroups.Item(2), copy);
    EXPECT_EQ(existing->PGroups.Item(3), second);
    EXPECT_EQ(copy->Name(), "Existing Practices Group");
    EXPECT_TRUE(copy->is_entity);
    EXPECT_EQ(copy->entity_UID, "{G}");
    EXPECT_EQ(NamesOf(copy->PracticeParts),
              (Names{"Existing Practice 1", "Existing Practice 2", "Existing Practice 3"}));
    ASSERT_NE(copy->PracticeParts.Item(2)->OptionGroup, nullptr);
    EXPECT_EQ(NamesOf(copy->PracticeParts.Item(2)->OptionGroup->Options), Names{"In house"});
    // Practices stay in group order.
    std::vector<std::shared_ptr<VRN_Practice>> byGroup = existing->PracticesByGroup();
    EXPECT_EQ(existing->Practices.Snapshot(), byGroup);
    // Four practices were there: each copy meets them, the copies before it and the target.
    EXPECT_EQ(copy->PracticeParts.Item(3)->Interactions.Count(), 6 + 3);
}

TEST_F(PracticeGroupTest, GroupCopiedFromAnotherDocumentJoinsThisOne) {
    RecordingMatrixWindow otherWindow;
    auto other = std::make_shared<VRN_Matrix>();
    other->CreateNew(context(), &otherWindow);
    other->CreateInit(2);
    const auto source = other->Existing()->PGroups.Item(1);

    auto copy = std::make_shared<VRN_PracticeGroup>();
    copy->Copy(source, first);
    EXPECT_EQ(copy->InMatrix.lock(), document);
    EXPECT_EQ(document->Interactions.Count(), 6 * 3);
    EXPECT_EQ(other->Interactions.Count(), 2 * 9);
    EXPECT_EQ(window.cellsOf(*copy).size(), 1u);
    EXPECT_TRUE(otherWindow.cellsOf(*copy).empty());
}

TEST_F(PracticeGroupTest, StartupGroupCopiesPracticesOptionsAndColour) {
    GiveOptions(first->PracticeParts.Item(1), &window);
    first->PracticeParts.Item(3)->color = 0x1234;

    RecordingMatrixWindow newWindow;
    auto fresh = std::make_shared<VRN_Matrix>();
    fresh->CreateNew(context(), &newWindow);
    fresh->User_PracticeOptionsColor = kOptionsColor;
    fresh->CreateInit(1, nullptr, first);

    const auto& startGroup = fresh->Existing()->PGroups.Item(1);
    EXPECT_EQ(startGroup->Name(), "Existing Practices Group");
    EXPECT_EQ(NamesOf(startGroup->PracticeParts),
              (Names{"Existing Practice 1", "Existing Practice 2", "Existing Practice 3"}));
    for (const auto& practice : startGroup->PracticeParts) {
        EXPECT_EQ(practice->color, kOptionsColor);
        EXPECT_EQ(practice->InForm, &newWindow);
    }
    const auto& options = startGroup->PracticeParts.Item(1)->OptionGroup;
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->Name(), "Sourcing");
    EXPECT_EQ(options->InForm, &newWindow);
    EXPECT_EQ(NamesOf(options->Options), Names{"In house"});
    EXPECT_NE(options, first->PracticeParts.Item(1)->OptionGroup);
    EXPECT_EQ(fresh->Interactions.Count(), 9);
}

TEST_F(PracticeGroupTest, DeletedGroupTakesItsPracticesAndInteractions) {
    const auto sales = first->AddNewPracticeGroup("Sales");
    const auto band = sales->Display;
    const std::weak_ptr<VRN_Practice> practice = sales->PracticeParts.Item(1);

    sales->Delete();
    EXPECT_EQ(NamesOf(existing->PGroups), Names{"Existing Practices Group"});
    EXPECT_EQ(existing->Practices.Count(), 3);
    EXPECT_EQ(existing->Interactions.Count(), 3);
    EXPECT_EQ(document->Interactions.Count(), 9);
    EXPECT_FALSE(band->Visible());
    EXPECT_TRUE(practice.expired());
}

TEST_F(PracticeGroupTest, RemoveFromParentsRemovesOnlyThisGroup) {
    const auto sales = first->AddNewPracticeGroup("Sales");
    sales->RemoveFromParents();
    EXPECT_EQ(NamesOf(existing->PGroups), Names{"Existing Practices Group"});
    EXPECT_EQ(existing->Practices.Count(), 3);
    EXPECT_EQ(sales->PracticeParts.Count(), 1);
    EXPECT_EQ(sales->PracticeParts.Item(1)->group(), sales);

    // Not in the state any more: nothing else may go.
    sales->RemoveFromParents();
    EXPECT_EQ(NamesOf(existing->PGroups), Names{"Existing Practices Group"});
    EXPECT_EQ(existing->Practices.Count(), 3);

    // Placed again after the first group, with its practice.
    first->AddAfterMe(sales, false);
    EXPECT_EQ(existing->PGroups.Item(2), sales);
    EXPECT_EQ(existing->Practices.Item(4), sales->PracticeParts.Item(1));
}

TEST_F(PracticeGroupTest, AddPracticePlacesAnExistingPracticeAtTheGroupsEnd) {
    const auto sales = first->AddNewPracticeGroup("Sales");
    const auto moved = first->PracticeParts.Item(1);
    moved->RemoveFromParents();

    std::shared_ptr<VRN_Practice> before;
    first->AddPractice(moved, before);
    EXPECT_EQ(before, first->PracticeParts.Item(2));
    EXPECT_EQ(first->PracticeParts.Item(3), moved);
    EXPECT_EQ(existing->Practices.Item(3), moved);
    EXPECT_EQ(existing->Practices.Item(4), sales->PracticeParts.Item(1));
    EXPECT_EQ(moved->group(), first);
    EXPECT_TRUE(messages.shown().empty());

    sales->RemoveFromParents();
    std::shared_ptr<VRN_Practice> unused;
    sales->AddPractice(moved, unused);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].prompt, "Error");
    EXPECT_EQ(sales->PracticeParts.Count(), 1);
}

TEST_F(PracticeGroupTest, OrientationFollowsTheGroupAndEmptyGroupsStayEmpty) {
    auto group = std::make_shared<VRN_PracticeGroup>();
    existing->PGroups.Add(group);
    group->Create("Empty", false, existing, &window, false, {}, 0, nullptr, nullptr, true);
    EXPECT_TRUE(group->PracticeParts.Empty());
    EXPECT_TRUE(group->DisplayPG);

    first->setHorizontal(true);
    for (const auto& practice : first->PracticeParts) {
        EXPECT_TRUE(practice->horizontal);
    }
}

// The layout drops a hidden group's practices from Practices; practices added meanwhile must
// still meet them.
TEST_F(PracticeGroupTest, TargetPracticeMeetsThePracticesOfAHiddenExistingGroup) {
    const auto hidden = first->AddNewPracticeGroup("Hidden");
    hidden->DisplayPG = false;
    for (const auto& practice : hidden->PracticeParts) {
        existing->Practices.RemoveItem(practice.get());
    }
    const auto hiddenPractice = hidden->PracticeParts.Item(1);

    const auto target = document->alternative(1)->Practices.Item(1)->AddNewPractice("New");
    EXPECT_EQ(CountLinks(document->Interactions, *target, *hiddenPractice), 1);
    EXPECT_EQ(target->Interactions.Count(), 3 + 4);

    const auto copied = std::make_shared<VRN_Practice>();
    copied->Copy(target, document->alternative(1)->PGroups.Item(1));
    EXPECT_EQ(CountLinks(document->Interactions, *copied, *hiddenPractice), 1);

    document->new_alternative("Another");
    for (const auto& practice : document->alternative(2)->Practices) {
        EXPECT_EQ(CountLinks(document->Interactions, *practice, *hiddenPractice), 1);
    }
}

}  // namespace
}  // namespace vrn::testing
