#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "model/vrn_matrix_interaction.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/model/file/file_fixture.h"

namespace vrn::testing {
namespace {

class MatrixFileRoundTripTest : public FileFixture {
protected:
    // Saves `document`, reads the file into a new document and checks that both hold the same.
    std::shared_ptr<VRN_Matrix> RoundTrip(VRN_Matrix& document, bool unlocked = false) {
        const std::string bytes = SavedBytes(document, unlocked);
        auto read = ReadDocument(bytes);
        if (!unlocked) {
            EXPECT_EQ(DocumentSnapshot(*read), DocumentSnapshot(document));
        }
        return read;
    }
};

// Puts `text` into every text the file stores.
void PutEverywhere(VRN_Matrix& document, const std::string& text, MatrixWindow& window) {
    for (std::string* field :
         {&document.title, &document.Authors, &document.Assignment, &document.Modified,
          &document.Sources, &document.Review, &document.Distribution, &document.Locktype,
          &document.Keyvalue, &document.footer, &document.Directions, &document.Description}) {
        *field = text;
    }
    auto& state = *document.alternative(1);
    state.Name = text;
    state.Description = text;
    const auto group = state.PGroups.Item(1);
    group->setName(text);
    const auto practice = group->PracticeParts.Item(1);
    practice->setName(text);
    practice->setDescription(text);
    practice->Discussion = text;
    practice->Importance->setText(text);
    auto options = std::make_shared<VRN_Optiongroup>();
    options->Create(text, practice, &window);
    options->Prompt = text;
    options->setDescription(text);
    options->Discussion = text;
    auto option = std::make_shared<VRN_Option>();
    option->Create(text, options, &window);
    option->setDescription(text);
    option->Discussion = text;
    for (const auto& interaction : {state.Interactions.Item(1), document.Interactions.Item(1)}) {
        interaction->setValue(text);
        interaction->setNote(text);
        interaction->setDescription(text);
        interaction->setDiscussion(text);
    }
}

TEST_F(MatrixFileRoundTripTest, TextsReadBackAsTheyWereWritten) {
    const char* const texts[] = {
        "\"quoted\"", "a, b, c",     "line\r\nbreak",  "lone\nfeed",  "lone\rreturn",
        "",           "caf\xC3\xA9", "\xE2\x82\xAC 5", "\"\r\n,\"\"", "  blanks  ",
        "#TRUE#",     "tab\there",   "999999999",      "END Matrix",
    };
    for (const char* text : texts) {
        const auto document = NewDocument(1);
        PutEverywhere(*document, text, window);
        const auto read = RoundTrip(*document);
        EXPECT_EQ(read->title, text);
    }
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(MatrixFileRoundTripTest, ACharacterWithoutAByteReadsBackAsAQuestionMark) {
    const auto document = NewDocument(1);
    document->title = "\xE4\xB8\xAD \xE2\x82\xAC";
    EXPECT_EQ(ReadDocument(SavedBytes(*document))->title, "? \xE2\x82\xAC");
}

TEST_F(MatrixFileRoundTripTest, ColoursIncludingSystemColoursReadBack) {
    for (const std::int32_t color : {0, 255, 0xFFFFFF, static_cast<std::int32_t>(0x80000005),
                                     static_cast<std::int32_t>(0x8000000F)}) {
        const auto document = NewDocument(1);
        const auto group = document->Existing()->PGroups.Item(1);
        group->color = color;
        group->PracticeParts.Item(1)->color = color;
        document->Interactions.Item(1)->color = color;
        document->Existing()->Interactions.Item(1)->color = color;
        auto options = std::make_shared<VRN_Optiongroup>();
        options->Create("Q", group->PracticeParts.Item(1), &window);
        auto option = std::make_shared<VRN_Option>();
        option->Create("A", options, &window);
        option->color = color;

        const auto read = RoundTrip(*document);
        const auto& cell = *read->Interactions.Item(1)->Display;
        EXPECT_EQ(cell.BackColor(), color);  // the cell shows the colour read
    }
}

TEST_F(MatrixFileRoundTripTest, ABlankGroupIsWrittenWithTheBlankPidAndReadsBackBlank) {
    const auto document = NewDocument(1);
    const auto blank = document->Existing()->PGroups.Item(1)->AddBlankPracticeGroup();
    const std::string bytes = SavedBytes(*document);
    EXPECT_NE(bytes.find("\"Group Name\",\"\"\r\n\"Entity\",#FALSE#\r\n\"PID\",\"999999999\""),
              std::string::npos);

    const auto read = RoundTrip(*document);
    const auto readBlank = read->Existing()->PGroups.Item(2);
    EXPECT_TRUE(readBlank->is_blank);
    EXPECT_TRUE(readBlank->PracticeParts.Item(1)->is_blank);
    EXPECT_TRUE(readBlank->PracticeParts.Item(1)->Interactions.Item(1)->is_blank);
    EXPECT_FALSE(read->Existing()->PGroups.Item(1)->is_blank);
}

TEST_F(MatrixFileRoundTripTest, EntityElementsStayEntitiesAndEachWarnsInTheStandAloneProgram) {
    const auto document = NewDocument(1);
    for (const auto& group :
         {document->Existing()->PGroups.Item(1), document->alternative(1)->PGroups.Item(1)}) {
        group->is_entity = true;
        group->entity_UID = "999999999";  // the blank PID means nothing for an entity
    }
    const auto options = std::make_shared<VRN_Optiongroup>();
    options->Create("How?", document->Existing()->Practices.Item(1), &window, true, "77");
    std::make_shared<VRN_Option>()->Create("Outsource", options, &window, true);
    std::make_shared<VRN_Option>()->Create("Hire", options, &window, true);
    const auto read = RoundTrip(*document);
    EXPECT_FALSE(read->Existing()->PGroups.Item(1)->is_blank);
    EXPECT_TRUE(read->alternative(1)->PGroups.Item(1)->is_entity);
    const std::string group =
        "This read of an entity operation is Unsupported in the standalone version of the VRN "
        "software";
    const std::string option =
        "This read of an entity operation in VRN_OptionGroup is Unsupported in the standalone "
        "version of the VRN software";
    // The existing group, its option group and both options, then the target group.
    const std::vector<std::string> expected{group, option, option, option, group};
    std::vector<std::string> shown;
    for (const auto& message : messages.shown()) {
        shown.push_back(message.prompt);
    }
    EXPECT_EQ(shown, expected);
}

TEST_F(MatrixFileRoundTripTest, AnOptionGroupWithoutOptionsIsWrittenEmpty) {
    const auto document = NewDocument(1);
    const auto practice = document->Existing()->Practices.Item(1);
    std::make_shared<VRN_Optiongroup>()->Create("Empty", practice, &window);
    const std::string bytes = SavedBytes(*document);
    EXPECT_NE(bytes.find("\"Enabled\",#FALSE#\r\n\"END OptionGroup\""), std::string::npos);

    const auto read = RoundTrip(*document);
    const auto& options = read->Existing()->Practices.Item(1)->OptionGroup;
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(options->Options.Empty());
    EXPECT_EQ(options->partOf.lock(), read->Existing()->Practices.Item(1));
    EXPECT_TRUE(read->Existing()->PGroups.Item(1)->Has_Options);
}

TEST_F(MatrixFileRoundTripTest, LockingSurvivesASaveButNotAnUnlockedCopy) {
    const auto document = NewDocument(1);
    document->locked = true;
    document->justlocked = true;
    EXPECT_TRUE(RoundTrip(*document)->locked);
    EXPECT_TRUE(document->justlocked);  // only a save to a file clears it

    const auto copy = RoundTrip(*document, /*unlocked=*/true);
    EXPECT_FALSE(copy->locked);
    EXPECT_TRUE(document->locked);  // the document itself stays locked
}

TEST_F(MatrixFileRoundTripTest, SizesBeyondWhatTheReaderTakesAreWrittenAtItsLimit) {
    const auto document = NewDocument(1);
    window.setHeight(1e12f);
    window.setWidth(std::numeric_limits<float>::quiet_NaN());
    document->VRN_PracticeWidth = -1e20f;
    const std::string bytes = SavedBytes(*document);
    EXPECT_NE(bytes.find("\"FormHeight\",2147483520\r\n\"FormWidth\",0\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("\"PracticeWidth\",-2147483520\r\n"), std::string::npos);
    const auto read = ReadDocument(bytes);
    EXPECT_EQ(window.Height(), 2147483520.0f);
    EXPECT_EQ(SavedBytes(*read), bytes);
}

}  // namespace
}  // namespace vrn::testing
