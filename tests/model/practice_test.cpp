#include <gtest/gtest.h>

#include "model/model_error.h"
#include "model/vrn_option.h"
#include "model/vrn_optiongroup.h"
#include "tests/model/document_fixture.h"

namespace vrn::testing {
namespace {

using Names = std::vector<std::string>;

class PracticeTest : public DocumentFixture {
protected:
    // Whether any list of the document still names `practice`.
    static bool AnyListNames(VRN_Matrix& document, const VRN_Practice* practice) {
        const auto names = [practice](const Collection<VRN_MatrixInteraction>& list) {
            for (const auto& interaction : list) {
                if (interaction->Practice1.lock().get() == practice ||
                    interaction->practice2.lock().get() == practice) {
                    return true;
                }
            }
            return false;
        };
        std::vector<std::shared_ptr<VRN_State>> states{document.Existing()};
        states.insert(states.end(), document.Alternatives_col.begin(),
                      document.Alternatives_col.end());
        bool found = names(document.Interactions);
        for (const auto& state : states) {
            found = found || names(state->Interactions) || state->Practices.Contains(practice);
            for (const auto& group : state->PGroups) {
                found = found || group->PracticeParts.Contains(practice);
                for (const auto& other : group->PracticeParts) {
                    found = found || names(other->Interactions);
                }
            }
        }
        return found;
    }
};

TEST_F(PracticeTest, NewPracticeFollowsItsNeighbourAndMeetsEveryPractice) {
    const auto document = NewDocument(2);
    const auto& existing = document->Existing();
    const auto added = existing->Practices.Item(1)->AddNewPractice("Audit");

    const Names order{"Existing Practice 1", "Audit", "Existing Practice 2", "Existing Practice 3"};
    EXPECT_EQ(NamesOf(existing->PGroups.Item(1)->PracticeParts), order);
    EXPECT_EQ(NamesOf(existing->Practices), order);
    // Three within its state, three with each alternative.
    EXPECT_EQ(added->Interactions.Count(), 3 + 2 * 3);
    for (const auto& interaction : added->Interactions) {
        EXPECT_EQ(interaction->Practice1.lock(), added);
    }

    const auto target = document->alternative(2)->Practices.Item(3);
    const auto last = target->AddNewPractice("Shared service");
    EXPECT_EQ(document->alternative(2)->PGroups.Item(1)->PracticeParts.Item(4), last);
    EXPECT_EQ(last->Interactions.Count(), 3 + 4);
}

TEST_F(PracticeTest, UnknownAfterPracticePutsTheNewOneLast) {
    const auto document = NewDocument(1);
    const auto& group = document->Existing()->PGroups.Item(1);
    const auto stranger = document->alternative(1)->Practices.Item(1);
    auto practice = std::make_shared<VRN_Practice>();
    practice->Create("Late", false, group, &window, stranger);
    EXPECT_EQ(document->Existing()->Practices.Item(4), practice);
}

TEST_F(PracticeTest, MovedPracticeJoinsBothListsAfterThisOne) {
    const auto document = NewDocument(1);
    const auto& parts = document->Existing()->PGroups.Item(1)->PracticeParts;
    const auto third = parts.Item(3);
    third->RemoveFromParents();
    parts.Item(1)->AddAfterMe(third, false);
    const Names order{"Existing Practice 1", "Existing Practice 3", "Existing Practice 2"};
    EXPECT_EQ(NamesOf(parts), order);
    EXPECT_EQ(NamesOf(document->Existing()->Practices), order);
    EXPECT_EQ(third->group(), document->Existing()->PGroups.Item(1));
}

TEST_F(PracticeTest, DeletedPracticeIsInNoListAndGone) {
    const auto document = NewDocument(2);
    auto practice = document->Existing()->Practices.Item(2);
    const std::weak_ptr<VRN_Practice> watch = practice;
    const auto cells = window.cellsOf(*practice);
    const auto interactionCell = practice->Interactions.Item(1)->Display;

    practice->Delete();

    EXPECT_FALSE(AnyListNames(*document, practice.get()));
    EXPECT_EQ(document->Interactions.Count(), 2 * 6);
    EXPECT_EQ(document->Existing()->Interactions.Count(), 1);
    for (const auto& cell : cells) {
        EXPECT_FALSE(cell->Visible());
    }
    EXPECT_FALSE(interactionCell->Visible());
    practice.reset();
    EXPECT_TRUE(watch.expired());
}

TEST_F(PracticeTest, DeleteAlsoSweepsCrossInteractionsMissingFromItsList) {
    const auto document = NewDocument(1);
    const auto practice = document->Existing()->Practices.Item(1);
    const auto stray = document->Interactions.Item(1);
    ASSERT_TRUE(Links(*stray, *practice, *stray->Practice1.lock()));
    practice->Interactions.RemoveItem(stray.get());

    practice->Delete();
    EXPECT_FALSE(document->Interactions.Contains(stray.get()));
    EXPECT_FALSE(stray->Practice1.lock()->Interactions.Contains(stray.get()));
}

TEST_F(PracticeTest, ReferencesOutlivingRemovalStaySafe) {
    const auto document = NewDocument(2);
    // The program's current item, and a practice of an alternative about to go.
    const auto current = document->Existing()->Practices.Item(1);
    const auto doomedTarget = document->alternative(1)->Practices.Item(1);
    current->Delete();
    document->delete_alternative();

    EXPECT_EQ(current->Name(), "Existing Practice 1");
    EXPECT_EQ(current->Value(), 0);
    EXPECT_NO_THROW(current->Delete());
    EXPECT_TRUE(doomedTarget->Interactions.Empty());
    EXPECT_EQ(doomedTarget->group(), nullptr);
    EXPECT_THROW(doomedTarget->AddNewPractice("Orphan"), ModelError);

    // A copy buffer still copies from it.
    const auto& group = document->alternative(1)->PGroups.Item(1);
    auto copy = std::make_shared<VRN_Practice>();
    copy->Copy(doomedTarget, group);
    EXPECT_EQ(copy->Name(), "New Practice 1");
    EXPECT_EQ(copy->Interactions.Count(), 3 + 2);
}

TEST_F(PracticeTest, CopyTakesNameEntityOptionsAndColourOnly) {
    const auto document = NewDocument(1);
    const auto& existing = document->Existing();
    const auto source = existing->Practices.Item(1);
    source->is_blank = true;
    source->is_entity = true;
    source->entity_UID = "{P-1}";
    source->entity_ID = 77;
    source->color = 0x123456;
    source->setDescription("why");
    source->Discussion = "link";
    source->Importance->setText("+2");
    source->setFontbold(true);
    auto options = std::make_shared<VRN_Optiongroup>();
    options->Create("How?", source, &window);
    options->Prompt = "Pick one";
    options->setDescription("choices");
    options->Enabled = true;
    options->entity_ID = 5;
    for (const char* name : {"Fast", "Cheap"}) {
        auto option = std::make_shared<VRN_Option>();
        option->Create(name, options, &window);
        option->setDescription(std::string(name) + " way");
        option->Discussion = "d";
        option->color = 0xFF;
        option->is_entity = true;
        option->entity_UID = "{O}";
    }

    // A second group, so that the copy must land between the groups in Practices.
    existing->PGroups.Item(1)->AddNewPracticeGroup("Support");
    auto copy = std::make_shared<VRN_Practice>();
    copy->Copy(source, existing->PGroups.Item(1));

    EXPECT_EQ(copy->Name(), "Existing Practice 1");
    EXPECT_FALSE(copy->is_blank);
    EXPECT_TRUE(copy->is_entity);
    EXPECT_EQ(copy->entity_UID, "{P-1}");
    EXPECT_EQ(copy->entity_ID, 77);
    EXPECT_EQ(copy->color, 0x123456);
    EXPECT_EQ(copy->Description(), "");
    EXPECT_EQ(copy->Discussion, "");
    EXPECT_EQ(copy->importanceText(), "");
    EXPECT_FALSE(copy->fontbold());

    ASSERT_NE(copy->OptionGroup, nullptr);
    EXPECT_NE(copy->OptionGroup, source->OptionGroup);
    EXPECT_EQ(copy->OptionGroup->partOf.lock(), copy);
    EXPECT_EQ(copy->OptionGroup->Name(), "How?");
    EXPECT_EQ(copy->OptionGroup->Prompt, "Pick one");
    EXPECT_EQ(copy->OptionGroup->Description(), "choices");
    EXPECT_TRUE(copy->OptionGroup->Enabled);
    EXPECT_EQ(copy->OptionGroup->entity_ID, 0);
    EXPECT_EQ(NamesOf(copy->OptionGroup->Options), (Names{"Fast", "Cheap"}));
    const auto& copiedOption = copy->OptionGroup->Options.Item(2);
    EXPECT_EQ(copiedOption->Description(), "Cheap way");
    EXPECT_EQ(copiedOption->Discussion, "d");
    EXPECT_TRUE(copiedOption->is_entity);
    EXPECT_EQ(copiedOption->entity_UID, "{O}");
    EXPECT_EQ(copiedOption->color, 0);

    EXPECT_EQ(existing->PGroups.Item(1)->PracticeParts.Item(4), copy);
    EXPECT_EQ(NamesOf(existing->Practices),
              (Names{"Existing Practice 1", "Existing Practice 2", "Existing Practice 3",
                     "Existing Practice 1", "Existing Practice 1"}));
    EXPECT_EQ(existing->Practices.Item(4), copy);
    EXPECT_EQ(copy->Interactions.Count(), 4 + 3);
}

TEST_F(PracticeTest, RemoveFromParentsTouchesNothingElse) {
    const auto document = NewDocument(1);
    const auto practice = document->Existing()->Practices.Item(2);
    practice->RemoveFromParents();
    EXPECT_EQ(NamesOf(document->Existing()->Practices),
              (Names{"Existing Practice 1", "Existing Practice 3"}));
    EXPECT_EQ(document->Existing()->PGroups.Item(1)->PracticeParts.Count(), 2);
    EXPECT_EQ(practice->group(), nullptr);
    EXPECT_EQ(practice->Interactions.Count(), 5);
    EXPECT_EQ(document->Interactions.Count(), 9);
    EXPECT_NO_THROW(practice->RemoveFromParents());
}

class PracticeValueTest : public PracticeTest {
protected:
    void SetUp() override {
        document = NewDocument(1);
        practice = document->Existing()->Practices.Item(1);
        // Across: +, +, -; within its own state a "+" that does not count.
        const char* values[] = {"+", "+", "-"};
        int next = 0;
        for (const auto& interaction : practice->Interactions) {
            interaction->setValue(interaction->IsCross() ? values[next++] : "+");
        }
        ASSERT_EQ(next, 3);
    }
    std::shared_ptr<VRN_Matrix> document;
    std::shared_ptr<VRN_Practice> practice;
};

TEST_F(PracticeValueTest, CountsReinforcingMinusInterferingAcrossOnly) {
    mainView.setChecked(ViewMark::mnuViewWeightedSort, false);
    EXPECT_EQ(practice->Value(), 1);
    // The target side sees the same interactions from the other end.
    const auto& target = document->alternative(1)->Practices;
    EXPECT_EQ(target.Item(1)->Value() + target.Item(2)->Value() + target.Item(3)->Value(), 1);
    EXPECT_EQ(document->Existing()->Practices.Item(2)->Value(), 0);
}

TEST_F(PracticeValueTest, WeightedByImportance) {
    mainView.setChecked(ViewMark::mnuViewWeightedSort, true);
    const struct {
        const char* importance;
        int value;
    } cases[] = {{"+2", 5},
                 {"+1", 4},
                 {"", 3},
                 {" ", 3},
                 {"-1", 2},
                 {"-2", 1},
                 {"x", 0},
                 {"2", 0},
                 // The menu's names of the ratings, and a bare "0", weigh as the ratings.
                 {"'0'", 3},
                 {" '0' ", 3},
                 {"0", 3},
                 {"'+2'", 5},
                 {"''", 3},
                 {"'", 0}};
    for (const auto& c : cases) {
        practice->Importance->setText(c.importance);
        EXPECT_EQ(practice->Value(), c.value) << "'" << c.importance << "'";
    }
}

TEST_F(PracticeTest, FontFlagsGoToTheCellAndComeBackFromIt) {
    const auto document = NewDocument(1);
    const auto practice = document->Existing()->Practices.Item(1);
    practice->setFontbold(true);
    EXPECT_TRUE(practice->Display->fontbold());
    practice->Display->setFontItalic(true);
    EXPECT_TRUE(practice->FontItalic());
    practice->setFontUnderlined(true);
    EXPECT_TRUE(practice->Display->FontUnderline());
    practice->setName("Renamed");
    EXPECT_EQ(practice->Display->text(), "Renamed");
}

}  // namespace
}  // namespace vrn::testing
