#include <gtest/gtest.h>

#include "tests/model/layout/layout_fixture.h"

namespace vrn::testing {
namespace {

constexpr float H = 600;  // the fixture's practice height

class InteractionLayoutTest : public LayoutFixture {
protected:
    // The interaction of `list` between `a` and `b`.
    static std::shared_ptr<VRN_MatrixInteraction> Between(
        const Collection<VRN_MatrixInteraction>& list, const std::shared_ptr<VRN_Practice>& a,
        const std::shared_ptr<VRN_Practice>& b) {
        for (const auto& interaction : list) {
            if (Links(*interaction, *a, *b)) {
                return interaction;
            }
        }
        ADD_FAILURE() << "no interaction between " << a->Name() << " and " << b->Name();
        return nullptr;
    }
};

TEST_F(InteractionLayoutTest, CrossCellSitsWhereRowAndColumnMeet) {
    const auto document = NewDocument(2);
    document->Interactions.Item(1)->color = 0x00FF00;
    document->Draw(1, 1);
    EXPECT_EQ(document->VRN_InteractionHeight, 0.85f * H);
    EXPECT_EQ(document->half_VRN_InteractionHeight, 0.85f * H / 2);

    int shown = 0;
    for (const auto& interaction : document->Interactions) {
        const auto first = interaction->Practice1.lock();
        const auto second = interaction->practice2.lock();
        const auto& column = first->horizontal ? first : second;
        const auto& row = first->horizontal ? second : first;
        const auto& cell = *interaction->Display;
        if (column->state() != document->alternative(1)) {
            EXPECT_FALSE(cell.Visible()) << "a cell of the alternative not shown";
            continue;
        }
        ++shown;
        EXPECT_TRUE(cell.Visible());
        EXPECT_EQ(cell.Width(), 0.85f * H);
        EXPECT_EQ(cell.Height(), 0.85f * H);
        EXPECT_FLOAT_EQ(MiddleX(cell), MiddleX(CellOf(column)));
        EXPECT_FLOAT_EQ(MiddleY(cell), MiddleY(CellOf(row)));
        EXPECT_EQ(interaction->Display->BackStyle(), 1);
        EXPECT_EQ(cell.fontsize(), 18);
    }
    EXPECT_EQ(shown, 9);
    EXPECT_EQ(document->Interactions.Item(1)->Display->BackColor(), 0x00FF00);
}

TEST_F(InteractionLayoutTest, CellsOfAHiddenGroupOrAxisAreHidden) {
    const auto document = NewDocument(1);
    document->alternative(1)->PGroups.Item(1)->DisplayPG = false;
    document->Draw(1, 1);
    for (const auto& interaction : document->Interactions) {
        EXPECT_FALSE(interaction->Display->Visible());
    }
    for (const auto& interaction : document->alternative(1)->Interactions) {
        EXPECT_FALSE(interaction->Display->Visible());
    }
    EXPECT_TRUE(document->Existing()->Interactions.Item(1)->Display->Visible());

    document->alternative(1)->PGroups.Item(1)->DisplayPG = true;
    mainView.setChecked(ViewMark::mnuViewExisting, false);
    document->Draw(1, 1);
    EXPECT_FALSE(document->Interactions.Item(1)->Display->Visible());
    EXPECT_FALSE(document->Existing()->Interactions.Item(1)->Display->Visible());
    EXPECT_TRUE(document->alternative(1)->Interactions.Item(1)->Display->Visible());
}

TEST_F(InteractionLayoutTest, CellsOfAStateFormATriangleBesideItsBand) {
    const auto document = NewDocument(1);
    const auto& existing = document->Existing();
    existing->Practices.Item(3)->AddNewPractice("Fourth");
    const auto& target = document->alternative(1);
    GiveInteractionCellsADesignSize(200, 100);
    document->Draw(1, 1);

    // Rows: half their distance out to the left of the band, midway between them.
    const auto& rows = existing->Practices;
    const auto& rowBand = *existing->PGroups.Item(1)->Display;
    for (const auto& [i, j, out] : {std::tuple{1, 2, H / 2}, {1, 4, 3 * H / 2}, {2, 3, H / 2}}) {
        const auto cell = Between(existing->Interactions, rows.Item(i), rows.Item(j))->Display;
        SCOPED_TRACE("rows " + std::to_string(i) + " and " + std::to_string(j));
        EXPECT_FLOAT_EQ(MiddleX(*cell), rowBand.left() - out);
        EXPECT_FLOAT_EQ(MiddleY(*cell),
                        (MiddleY(CellOf(rows.Item(i))) + MiddleY(CellOf(rows.Item(j)))) / 2);
        EXPECT_EQ(cell->BackStyle(), 0);
        EXPECT_EQ(cell->fontsize(), 18);
        EXPECT_TRUE(cell->Visible());
    }

    // Columns: above the band, in the same way.
    const auto& columns = target->Practices;
    const auto& columnBand = *target->PGroups.Item(1)->Display;
    const auto cell = Between(target->Interactions, columns.Item(1), columns.Item(3))->Display;
    EXPECT_FLOAT_EQ(MiddleX(*cell),
                    (MiddleX(CellOf(columns.Item(1))) + MiddleX(CellOf(columns.Item(3)))) / 2);
    EXPECT_FLOAT_EQ(MiddleY(*cell), columnBand.top() - H);
    EXPECT_TRUE(cell->Visible());

    // Without bands the triangle starts at the practices' own cells.
    mainView.setChecked(ViewMark::mnuViewPracticeGroups, false);
    document->Draw(1, 1);
    const auto rowCell = Between(existing->Interactions, rows.Item(1), rows.Item(2))->Display;
    EXPECT_FLOAT_EQ(MiddleX(*rowCell), CellOf(rows.Item(1)).left() - H / 2);
}

TEST_F(InteractionLayoutTest, BlankCellsShowTheBlankColourAndThePracticeFont) {
    const auto document = NewDocument(1);
    document->User_BlankColor = 0x404040;
    const auto& existing = document->Existing();
    const auto blank = existing->PGroups.Item(1)->AddBlankPracticeGroup()->PracticeParts.Item(1);
    const auto targetBlank =
        document->alternative(1)->PGroups.Item(1)->AddBlankPracticeGroup()->PracticeParts.Item(1);
    document->Draw(1, 1);

    const auto cross =
        Between(document->Interactions, blank, document->alternative(1)->Practices.Item(1));
    EXPECT_EQ(cross->Display->BackColor(), 0x404040);
    EXPECT_EQ(cross->Display->BackStyle(), 1);
    EXPECT_EQ(cross->Display->fontsize(), 10);

    const auto rows = Between(existing->Interactions, blank, existing->Practices.Item(1));
    EXPECT_EQ(rows->Display->BackColor(), 0x404040);
    EXPECT_EQ(rows->Display->BackStyle(), 1);

    // Within a target state a blank cell stays transparent.
    const auto columns = Between(document->alternative(1)->Interactions, targetBlank,
                                 document->alternative(1)->Practices.Item(1));
    EXPECT_EQ(columns->Display->BackStyle(), 0);
    EXPECT_NE(columns->Display->BackColor(), 0x404040);
}

TEST_F(InteractionLayoutTest, InteractionOfADeletedPracticeIsHidden) {
    const auto document = DrawnDocument();
    const auto interaction = document->Interactions.Item(1);
    const auto practice = interaction->Practice1.lock();
    practice->RemoveFromParents();
    EXPECT_NO_THROW(interaction->Draw());
    EXPECT_FALSE(interaction->Display->Visible());
}

}  // namespace
}  // namespace vrn::testing
