#include <gtest/gtest.h>

#include "model/model_error.h"
#include "tests/model/document_fixture.h"
#include "tests/support/model_doubles/fake_catalogue_entity.h"

namespace vrn::testing {
namespace {

using Names = std::vector<std::string>;

class MatrixCreationTest : public DocumentFixture {};

TEST_F(MatrixCreationTest, FreshDocumentHasTheDefaultStructureOnBothSides) {
    const auto document = NewDocument(1);

    const auto& existing = document->Existing();
    EXPECT_EQ(existing->Name, "Existing Practices");
    EXPECT_FALSE(existing->horizontal);
    EXPECT_TRUE(existing->Active);
    EXPECT_EQ(NamesOf(existing->PGroups), Names{"Existing Practices Group"});
    const Names existingPractices{"Existing Practice 1", "Existing Practice 2",
                                  "Existing Practice 3"};
    EXPECT_EQ(NamesOf(existing->PGroups.Item(1)->PracticeParts), existingPractices);
    EXPECT_EQ(NamesOf(existing->Practices), existingPractices);

    ASSERT_EQ(document->Alt_count, 1);
    const auto target = document->alternative(1);
    EXPECT_EQ(target->Name, "Target Practices: Alternative 1");
    EXPECT_TRUE(target->horizontal);
    EXPECT_TRUE(target->Active);
    EXPECT_EQ(NamesOf(target->PGroups), Names{"Target Practices: Alternative 1 Group"});
    const Names targetPractices{"New Practice 1", "New Practice 2", "New Practice 3"};
    EXPECT_EQ(NamesOf(target->Practices), targetPractices);

    EXPECT_TRUE(document->Use_Alter);
    EXPECT_EQ(document->Alt_i, 1);
    EXPECT_EQ(document->title, "Varnel");
    EXPECT_TRUE(document->rpt_Options_Print);
    EXPECT_TRUE(document->rpt_Export_Word);
    EXPECT_EQ(document->rpt_MatrixImage, -1);
    EXPECT_EQ(document->rpt_BlankInteractions, -1);
    EXPECT_EQ(document->rpt_CurrentPractices, -1);

    // Every link up leads back to the right owner.
    EXPECT_EQ(existing->partOf.lock(), document);
    EXPECT_EQ(target->InMatrix.lock(), document);
    for (const auto& practice : target->Practices) {
        EXPECT_EQ(practice->group(), target->PGroups.Item(1));
        EXPECT_EQ(practice->state(), target);
        EXPECT_TRUE(practice->horizontal);
    }
}

TEST_F(MatrixCreationTest, StatesWithoutStemNameUseTheDefaultGroupNames) {
    const auto document = NewDocument(0);
    const struct {
        bool horizontal;
        const char* group;
        const char* practices[3];
    } sides[] = {
        {false, "Group 1", {"Existing Practice 1", "Existing Practice 2", "Existing Practice 3"}},
        {true, "New Group 1", {"New Practice 1", "New Practice 2", "New Practice 3"}},
    };
    for (const auto& side : sides) {
        auto state = std::make_shared<VRN_State>();
        state->CreateNew(&window, side.horizontal, document);
        EXPECT_EQ(NamesOf(state->PGroups), Names{side.group});
        EXPECT_EQ(NamesOf(state->Practices),
                  (Names{side.practices[0], side.practices[1], side.practices[2]}));
    }
}

TEST_F(MatrixCreationTest, OneAlternativeMakesFifteenInteractions) {
    const auto document = NewDocument(1);
    const auto& existing = document->Existing();
    const auto target = document->alternative(1);

    EXPECT_EQ(existing->Interactions.Count(), 3);
    EXPECT_EQ(target->Interactions.Count(), 3);
    EXPECT_EQ(document->Interactions.Count(), 9);

    // Each pair of practices of one side meets once, and every existing practice meets every
    // target practice once, across.
    for (const auto& a : existing->Practices) {
        for (const auto& b : target->Practices) {
            EXPECT_EQ(CountLinks(document->Interactions, *a, *b), 1);
        }
        for (const auto& b : existing->Practices) {
            if (a != b) {
                EXPECT_EQ(CountLinks(existing->Interactions, *a, *b), 1);
            }
        }
        EXPECT_EQ(a->Interactions.Count(), 5);
    }
    // An interaction is listed once by its parent and once by each of its practices, and the
    // newer practice is always Practice1.
    for (const auto& interaction : document->Interactions) {
        EXPECT_TRUE(interaction->IsCross());
        EXPECT_EQ(interaction->parentMatrix(), document);
        EXPECT_TRUE(interaction->Practice1.lock()->horizontal);
        EXPECT_FALSE(interaction->practice2.lock()->horizontal);
        EXPECT_EQ(interaction->Practice1.lock()->Interactions.IndexOf(interaction.get()) != 0,
                  true);
        EXPECT_EQ(interaction->practice2.lock()->Interactions.IndexOf(interaction.get()) != 0,
                  true);
    }
    const auto& inTarget = target->Interactions;
    EXPECT_EQ(inTarget.Item(1)->Practice1.lock(), target->Practices.Item(2));
    EXPECT_EQ(inTarget.Item(1)->parentState(), target);
}

TEST_F(MatrixCreationTest, WindowHandsOutEveryCellTheDocumentShows) {
    const auto document = NewDocument(1);
    // Two bands and two cells (cell and importance box) for each of six practices.
    EXPECT_EQ(window.cells().size(), 2u + 12u);
    ASSERT_EQ(window.interactionCells().size(), 15u);
    for (const auto& record : window.interactionCells()) {
        EXPECT_EQ(record.control->ToolTipText(), "Interaction");
        EXPECT_EQ(record.control->BackColor(), kInteractionColor);
        EXPECT_EQ(record.control->text(), "");
        EXPECT_TRUE(record.control->Visible());
        EXPECT_EQ(record.interaction.lock()->Display, record.control);
    }

    const auto existingBand = window.cellsOf(*document->Existing()->PGroups.Item(1));
    ASSERT_EQ(existingBand.size(), 1u);
    // A row band stands on its side.
    EXPECT_EQ(existingBand[0]->CellOrientation(), 3);
    EXPECT_EQ(existingBand[0]->Width(), 600);
    EXPECT_EQ(existingBand[0]->Height(), 2300);
    EXPECT_EQ(existingBand[0]->text(), "Existing Practices Group");
    EXPECT_EQ(existingBand[0]->BackColor(), kPracticeColor);
    const auto targetBand = window.cellsOf(*document->alternative(1)->PGroups.Item(1));
    EXPECT_EQ(targetBand[0]->CellOrientation(), 0);
    EXPECT_EQ(targetBand[0]->Width(), 2300);
    EXPECT_EQ(targetBand[0]->Height(), 600);

    const auto& targetPractice = *document->alternative(1)->Practices.Item(1);
    const auto cells = window.cellsOf(targetPractice);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_EQ(cells[0], targetPractice.Display);
    EXPECT_EQ(cells[0]->text(), "New Practice 1");
    EXPECT_EQ(cells[0]->CellOrientation(), 3);
    EXPECT_EQ(cells[0]->Width(), 600);
    EXPECT_EQ(cells[0]->Height(), 2700);
    // The importance box: a hidden, empty square as wide as a row is high.
    EXPECT_EQ(cells[1], targetPractice.Importance);
    EXPECT_FALSE(cells[1]->Visible());
    EXPECT_EQ(cells[1]->text(), "");
    EXPECT_EQ(cells[1]->Width(), 600);
    EXPECT_EQ(cells[1]->Height(), 600);
}

TEST_F(MatrixCreationTest, DocumentWithoutAlternativesIsUsable) {
    const auto document = NewDocument(0);
    EXPECT_EQ(document->Alt_count, 0);
    EXPECT_TRUE(document->Use_Alter);
    EXPECT_EQ(document->Alt_i, 1);
    EXPECT_EQ(document->activeAlternative(), nullptr);
    EXPECT_THROW(document->alternative(), CollectionIndexError);
    EXPECT_THROW(document->delete_alternative(), CollectionIndexError);
    EXPECT_EQ(document->Existing()->Practices.Count(), 3);
    EXPECT_TRUE(document->Interactions.Empty());

    // Editing and adding an alternative later work as usual.
    document->Existing()->Practices.Item(3)->AddNewPractice("Existing Practice 4");
    document->Existing()->SortPractices();
    document->new_alternative("Later");
    EXPECT_EQ(document->Alt_count, 1);
    EXPECT_EQ(document->Interactions.Count(), 4 * 3);
    document->use_alternative(true, 1);
    EXPECT_EQ(document->activeAlternative(), document->alternative(1));
}

TEST_F(MatrixCreationTest, KeepsATitleTheCallerSet) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    document->title = "Merger";
    document->CreateInit(1);
    EXPECT_EQ(document->title, "Merger");
}

TEST_F(MatrixCreationTest, CreateEmptyLeavesStatesWithoutGroups) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    document->CreateInit(2, nullptr, nullptr, true);
    EXPECT_TRUE(document->Existing()->PGroups.Empty());
    EXPECT_TRUE(document->alternative(2)->Practices.Empty());
    EXPECT_EQ(document->alternative(2)->Name, "Target Practices: Alternative 2");
    EXPECT_TRUE(window.cells().empty());
}

TEST_F(MatrixCreationTest, RefusesANegativeNumberOfAlternatives) {
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    EXPECT_THROW(document->CreateInit(-1), ModelError);
}

TEST_F(MatrixCreationTest, EntityNamesTheFirstGroupWhateverCreateEmptySays) {
    const auto entity = std::make_shared<FakeCatalogueEntity>(
        "Order handling", std::map<std::string, CatalogueValue>{
                              {"kt_PIFID", std::string("{PIF-7}")}, {"kt_ID", std::int64_t{1200}}});
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    document->CreateInit(1, entity, nullptr, true);

    const auto& group = document->Existing()->PGroups.Item(1);
    EXPECT_EQ(group->Name(), "Order handling");
    EXPECT_TRUE(group->is_entity);
    EXPECT_EQ(group->entity_UID, "{PIF-7}");
    EXPECT_EQ(group->entity_ID, 1200);
    EXPECT_EQ(group->PracticeParts.Count(), 1);
    EXPECT_TRUE(document->alternative(1)->PGroups.Empty());
}

TEST_F(MatrixCreationTest, EntityErrorsReachTheCaller) {
    const auto entity = std::make_shared<FakeCatalogueEntity>("No identifiers");
    auto document = std::make_shared<VRN_Matrix>();
    document->CreateNew(context(), &window);
    EXPECT_THROW(document->CreateInit(1, entity), std::runtime_error);
}

TEST_F(MatrixCreationTest, DocumentWithoutWindowMakesNoWindowCalls) {
    const auto document = NewDocument(2, true);
    EXPECT_TRUE(window.cells().empty());
    EXPECT_TRUE(window.interactionCells().empty());
    EXPECT_EQ(document->Interactions.Count(), 2 * 9);
    const auto& practice = document->Existing()->Practices.Item(1);
    EXPECT_TRUE(practice->No_Display);
    EXPECT_EQ(practice->Display, nullptr);
    practice->Importance_value = "+2";
    EXPECT_EQ(practice->importanceText(), "+2");
    practice->Delete();
    EXPECT_EQ(document->Interactions.Count(), 2 * 6);
}

}  // namespace
}  // namespace vrn::testing
