#include "app/matrixwin/canvas_counts.h"
#include "app/matrixwin/scene_interaction_label.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "tests/app/shell/main_window_fixture.h"

namespace vrn::testing {
namespace {

// The Action, Alternatives and popup commands on a new document: one group of three practices
// in the existing state and in each alternative.
class EditingCommandsTest : public MainWindowFixture {
protected:
    EditingCommandsTest() { load(); }

    VRN_Matrix& document() { return *activeWindow().base(); }
    VRN_State& existing() { return *document().Existing(); }
    std::shared_ptr<VRN_PracticeGroup> firstGroup() { return existing().PGroups.Item(1); }
    std::shared_ptr<VRN_Practice> practice(int index) { return existing().Practices.Item(index); }
    // As a press on the item's cell selects it: the Action menu follows.
    void select(const SelectedItem& item) { activeWindow().Show_Practice_Selection(item); }
    QStringList groupNames() {
        QStringList names;
        for (int i = 1; i <= existing().PGroups.Count(); ++i) {
            names << QString::fromStdString(existing().PGroups.Item(i)->Name());
        }
        return names;
    }
};

TEST_F(EditingCommandsTest, TheLastPracticeAndTheLastGroupAreRefused) {
    // A group of one practice.
    const auto lone = firstGroup()->AddNewPracticeGroup("Lone");
    ASSERT_EQ(lone->PracticeParts.Count(), 1);
    select(lone->PracticeParts.Item(1));
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuPracticeDelete").trigger();
    EXPECT_EQ(lone->PracticeParts.Count(), 1);

    // Of two groups one may go, the last may not.
    select(lone);
    item("mnuPracticeGroupDelete").trigger();
    EXPECT_EQ(existing().PGroups.Count(), 1);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(program_.Current_Item));
    select(firstGroup());
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuActionDeleteGroup").trigger();
    EXPECT_EQ(existing().PGroups.Count(), 1);

    ASSERT_EQ(prompt_.questions().size(), 2U);
    EXPECT_TRUE(
        prompt_.questions()[0].text.startsWith("I'm Sorry. I can't remove the last Practice of"));
    EXPECT_TRUE(prompt_.questions()[1].text.startsWith(
        "I'm Sorry. I can't remove the last Practice Group"));
    for (const auto& question : prompt_.questions()) {
        EXPECT_EQ(question.title, "Can't Remove Last Practice");
        EXPECT_EQ(question.style.icon, MsgBoxIcon::Critical);
    }
    // A practice of a larger group goes, and the selection with it.
    select(practice(2));
    item("mnuActionDeletePractice").trigger();
    EXPECT_EQ(firstGroup()->PracticeParts.Count(), 2);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(program_.Current_Item));
}

TEST_F(EditingCommandsTest, AddAlternativeProposesTheNextNumberAndSwitchesToIt) {
    document().new_alternative("Second");
    prompt_.answerText("Target Practices: Alternative 3");
    item("mnuAltAdd").trigger();
    ASSERT_EQ(prompt_.questions().size(), 1U);
    EXPECT_EQ(prompt_.questions()[0].defaultText, "Target Practices: Alternative 3");
    EXPECT_EQ(prompt_.questions()[0].title, "New Alternative");
    EXPECT_EQ(document().Alt_count, 3);
    EXPECT_EQ(document().Alt_i, 3);
    EXPECT_EQ(main_.mnuAlt().size(), 3U);
    EXPECT_TRUE(main_.mnuAlt()[2]->isChecked());

    // An empty answer and Cancel add nothing.
    prompt_.answerText("");
    item("mnuAltAdd").trigger();
    prompt_.cancel();
    item("mnuAltAdd").trigger();
    EXPECT_EQ(document().Alt_count, 3);
}

TEST_F(EditingCommandsTest, RenameAndDeleteAlternativeAskFirst) {
    document().new_alternative("Second");
    document().use_alternative(true, 2);
    prompt_.answerText("Renamed");
    item("mnuAltRename").trigger();
    EXPECT_EQ(document().alternative(2)->Name, "Renamed");

    for (const MsgBoxResult answer : {MsgBoxResult::No, MsgBoxResult::Cancel}) {
        prompt_.answer(answer);
        item("mnuAltDel").trigger();
        EXPECT_EQ(document().Alt_count, 2);
    }
    prompt_.answer(MsgBoxResult::Yes);
    item("mnuAltDel").trigger();
    EXPECT_EQ(document().Alt_count, 1);
    EXPECT_EQ(prompt_.questions().back().text,
              "Are you sure you want to delete the current alternative 'Renamed' and all its "
              "contents?");
    EXPECT_EQ(prompt_.questions().back().style.buttons, MsgBoxButtons::YesNoCancel);
}

TEST_F(EditingCommandsTest, InteractionValuesWriteADefaultNoteOnlyIntoAnEmptyOne) {
    const auto interaction = document().Interactions.Item(1);
    program_.Current_Interaction = interaction;
    struct Case {
        const char* command;
        const char* noteBefore;
        const char* value;
        const char* noteAfter;
    };
    const Case cases[] = {
        {"mnuInteractionPlus", "", "+", "Reinforcing Interaction"},
        {"mnuInteractionPlus", "Typed by the user", "+", "Typed by the user"},
        {"mnuInteractionMinus", "", "-", "Interfering Interaction"},
        {"mnuInteractionQuestion", "", "?", "Question"},
        {"mnuInteractionBlank", "Kept", " ", "Kept"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        interaction->setNote(c.noteBefore);
        item(c.command).trigger();
        EXPECT_EQ(interaction->Value(), c.value);
        EXPECT_EQ(interaction->Note(), c.noteAfter);
        if (std::string(c.value) != " ") {
            EXPECT_EQ(interaction->Display->ToolTipText(), c.noteAfter);
        }
    }
}

TEST_F(EditingCommandsTest, ColourCommandsOnPracticesAndInteractionsShareTheClearColour) {
    program_.prefs.Color_0 = 0x0000FF;
    program_.prefs.Color_1 = 0x00FFFF;
    program_.prefs.InteractionColor = 0x123456;
    const auto p = practice(1);
    const auto interaction = document().Interactions.Item(1);
    select(p);
    program_.Current_Interaction = interaction;
    for (const auto& [index, color] :
         {std::pair{0, 0x0000FF}, std::pair{1, 0x00FFFF}, std::pair{99, 0x123456}}) {
        item("mnuPracticeSet_Color", index).trigger();
        item("mnuInteractionSet_Color", index).trigger();
        EXPECT_EQ(p->color, color);
        EXPECT_EQ(p->Display->BackColor(), color);
        EXPECT_EQ(interaction->color, color);
        EXPECT_EQ(interaction->Display->BackColor(), color);
    }
}

TEST_F(EditingCommandsTest, HideCountsEachTimeAndRevealShowsEveryGroup) {
    firstGroup()->AddNewPracticeGroup("Second")->AddNewPracticeGroup("Third");
    for (int i = 1; i <= 2; ++i) {
        select(existing().PGroups.Item(i));
        item("mnuPracticeGroupHide").trigger();
        EXPECT_EQ(existing().hidePGcount, i);
        EXPECT_FALSE(existing().PGroups.Item(i)->DisplayPG);
    }
    select(existing().PGroups.Item(3));
    item("mnuPracticeGroupRevealPG", 0).trigger();
    EXPECT_EQ(existing().hidePGcount, 0);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(existing().PGroups.Item(i)->DisplayPG);
    }
    item("mnuPracticeGroupCycle").trigger();
    EXPECT_TRUE(activeWindow().cycle_mode);
    EXPECT_TRUE(existing().PGroups.Item(1)->DisplayPG);
    EXPECT_FALSE(existing().PGroups.Item(2)->DisplayPG);
    EXPECT_FALSE(existing().PGroups.Item(3)->DisplayPG);
}

TEST_F(EditingCommandsTest, AddingFromTheGroupPopupFollowsItsLastPractice) {
    const auto second = firstGroup()->AddNewPracticeGroup("Second");
    select(firstGroup());
    prompt_.answerText("Added");
    item("mnuPracticeGroupAddNewPractice").trigger();
    ASSERT_EQ(firstGroup()->PracticeParts.Count(), 4);
    EXPECT_EQ(firstGroup()->PracticeParts.Item(4)->Name(), "Added");
    EXPECT_EQ(existing().Practices.Item(4)->Name(), "Added");

    // A group needs a name; a practice without one is simply not added.
    select(second);
    prompt_.answerText("");
    prompt_.answer(MsgBoxResult::Ok);
    item("mnuPracticeGroupAddNew").trigger();
    EXPECT_EQ(prompt_.questions().back().text,
              "I'm Sorry, I can't add a Practice Group without a Name");
    select(practice(1));
    prompt_.answerText("");
    item("mnuActionAddPractice").trigger();
    EXPECT_EQ(existing().Practices.Count(), 5);
    prompt_.answerText("Named");
    item("mnuPracticeAddNew").trigger();
    EXPECT_EQ(existing().Practices.Item(2)->Name(), "Named");
}

TEST_F(EditingCommandsTest, PastePastesTheGroupAsItWasCopiedEvenOnceItIsGone) {
    const auto source = firstGroup()->AddNewPracticeGroup("Source");
    source->PracticeParts.Item(1)->setName("Kept");
    const auto target = firstGroup();
    select(source);
    item("MnuPracticeGroupCopy").trigger();
    EXPECT_EQ(program_.Copy_Source_Kind, 14);
    EXPECT_TRUE(item("MnuPracticeGroupPaste").isEnabled());

    // Changed after the copy: the paste keeps what was copied.
    source->setName("Renamed");
    source->PracticeParts.Item(1)->AddNewPractice("Added later");
    select(target);
    item("MnuPracticeGroupPaste").trigger();
    EXPECT_EQ(groupNames(), QStringList({"Existing Practices Group", "Source", "Renamed"}));
    const auto pasted = existing().PGroups.Item(2);
    ASSERT_EQ(pasted->PracticeParts.Count(), 1);
    EXPECT_EQ(pasted->PracticeParts.Item(1)->Name(), "Kept");
    // A fresh copy of its own: changing it leaves the next paste alone.
    pasted->PracticeParts.Item(1)->setName("Changed paste");

    // Deleted since: it still pastes.
    select(source);
    item("mnuPracticeGroupDelete").trigger();
    select(target);
    item("MnuPracticeGroupPaste").trigger();
    EXPECT_EQ(groupNames(), QStringList({"Existing Practices Group", "Source", "Source"}));
    EXPECT_EQ(existing().PGroups.Item(2)->PracticeParts.Item(1)->Name(), "Kept");
    EXPECT_TRUE(item("MnuPracticeGroupPaste").isEnabled());
}

TEST_F(EditingCommandsTest, AGroupCopiedInAWindowThatClosedSincePastesAsACopy) {
    firstGroup()->setName("Copied");
    firstGroup()->PracticeParts.Item(2)->setName("Second practice");
    select(firstGroup());
    item("MnuPracticeGroupCopy").trigger();
    closeWithoutSaving();
    item("mnuFileClose").trigger();
    item("mnuFileNew").trigger();
    select(firstGroup());
    item("MnuPracticeGroupPaste").trigger();
    ASSERT_EQ(groupNames(), QStringList({"Existing Practices Group", "Copied"}));
    const auto pasted = existing().PGroups.Item(2);
    ASSERT_EQ(pasted->PracticeParts.Count(), 3);
    EXPECT_EQ(pasted->PracticeParts.Item(2)->Name(), "Second practice");
    // Shown in this window, with the interactions of six practices among themselves.
    EXPECT_EQ(pasted->InForm, &activeWindow());
    EXPECT_EQ(activeWindow().canvasCounts(), shownByDocument(document()));
    EXPECT_EQ(existing().Interactions.Count(), 6 * 5 / 2);
}

TEST_F(EditingCommandsTest, ImportanceCommandsWriteTheBoxAndWeighAsRated) {
    const auto p = practice(1);
    select(p);
    for (const auto& [command, text, weight] :
         {std::tuple{"mnuImportance2", "+2", 5}, std::tuple{"mnuImportance1", "+1", 4},
          std::tuple{"mnuImportance0", " ", 3}, std::tuple{"mnuImportanceM1", "-1", 2},
          std::tuple{"mnuImportanceM2", "-2", 1}}) {
        item(command).trigger();
        EXPECT_EQ(p->importanceText(), text);
        EXPECT_EQ(VRN_Practice::ImportanceWeight(p->importanceText()), weight);
    }
}

TEST_F(EditingCommandsTest, CommandsWithoutAWindowOrASelectionChangeNothing) {
    // A selection of the wrong kind first, then no window at all.
    select(firstGroup());
    program_.Current_Interaction = nullptr;
    const char* const commands[] = {"mnuPracticeRename",    "mnuPracticeAddNew",
                                    "mnuPracticeDelete",    "mnuImportance2",
                                    "mnuInteractionPlus",   "mnuInteractionEdit",
                                    "mnuActionAddPractice", "mnuActionDeletePractice"};
    for (const char* command : commands) {
        item(command).trigger();
    }
    EXPECT_TRUE(prompt_.questions().empty());

    closeWithoutSaving();
    main_.mdiArea().closeAllSubWindows();
    ASSERT_EQ(main_.activeMatrixWindow(), nullptr);
    const std::size_t asked = prompt_.questions().size();
    for (const char* command :
         {"mnuRenameMatrix", "mnuAltAdd", "mnuAltRename", "mnuAltDel", "mnuActionAddGroup",
          "mnuActionDeleteGroup", "mnuPracticeGroupHide", "mnuPracticeGroupCycle",
          "MnuPracticeGroupCopy", "MnuPracticeGroupPaste", "mnuPracticeGroupAddBlank",
          "mnuPracticeGroupNewVRN", "mnuInteractionBlank"}) {
        item(command).trigger();
    }
    EXPECT_EQ(prompt_.questions().size(), asked);
    EXPECT_TRUE(main_.mdiArea().subWindowList().isEmpty());
}

}  // namespace
}  // namespace vrn::testing
