#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "tests/model/layout/layout_fixture.h"

namespace vrn::testing {
namespace {

constexpr float W = 2700;  // the fixture's practice width
constexpr float H = 600;   // its practice height and group height

// The fixture's one-alternative document drawn at (1, 1), worked out by hand: the existing
// rows run from 1 to 1801 and their roof pushes them 950 to the right (xmaxE = 4251); the
// target band starts at 4251, its columns end at R = 6051 and its roof pushes it 950 down
// (ymaxA = 601 + 2700 + 950 = 4251). ymax = max(1801, 4251) + 4251 = 8502, so the legends
// start at 8502 + 600 - 1 - 150 = 8951.
constexpr float kRight = 6051;
constexpr float kYmax = 8502;
constexpr float kLegendTop = 8951;

class MatrixLayoutTest : public LayoutFixture {
protected:
    static const WindowControl& FirstRow(VRN_Matrix& document) {
        return CellOf(document.Existing()->Practices.Item(1));
    }
    static const WindowControl& FirstColumn(VRN_Matrix& document) {
        return CellOf(document.alternative()->Practices.Item(1));
    }
};

TEST_F(MatrixLayoutTest, DrawsTheTargetBandRightOfTheExistingColumnAndReportsTheExtent) {
    const auto document = DrawnDocument();
    EXPECT_EQ(window.hideObjDisplaysCalls(), 1);
    EXPECT_EQ(document->left, 1);
    EXPECT_EQ(document->top, 1);
    EXPECT_EQ(FirstColumn(*document).left(), 4251);
    EXPECT_EQ(FirstColumn(*document).top(), 1 + 950 + H);
    // The existing rows moved down below the target band.
    EXPECT_EQ(FirstRow(*document).top(), 4251);
    EXPECT_EQ(document->Width, kRight - 1);
    EXPECT_EQ(document->Height, kYmax - 1 - 1);
    ASSERT_EQ(window.scrollbarsCalls().size(), 1u);
    const auto& scroll = window.scrollbarsCalls()[0];
    EXPECT_EQ(scroll.X, 1);
    EXPECT_EQ(scroll.xmax, kRight);
    EXPECT_EQ(scroll.Y, 1);
    EXPECT_EQ(scroll.ymax, kYmax - 1);
}

TEST_F(MatrixLayoutTest, GridLinesRunBetweenTheRowsAndBetweenTheColumns) {
    const auto document = DrawnDocument();
    const auto& rows = document->Existing()->Practices;
    const auto& columns = document->alternative()->Practices;
    ASSERT_EQ(document->Lines.Count(), 6);
    for (int i = 1; i <= 3; ++i) {
        const auto& line = *document->Lines.Item(i);
        const auto& row = CellOf(rows.Item(i));
        EXPECT_EQ(line.X1(), 4251);
        EXPECT_EQ(line.X2(), kRight);
        EXPECT_EQ(line.Y1(), row.top() + row.Height());
        EXPECT_EQ(line.Y2(), line.Y1());
        EXPECT_TRUE(line.Visible());
    }
    for (int i = 1; i <= 3; ++i) {
        const auto& line = *document->Lines.Item(3 + i);
        const auto& column = CellOf(columns.Item(i));
        EXPECT_EQ(line.X1(), column.left() + column.Width());
        EXPECT_EQ(line.Y1(), 4251);
        EXPECT_EQ(line.Y2(), 4251 + 3 * H);
    }

    mainView.setChecked(ViewMark::mnuViewExisting, false);
    document->Draw(1, 1);
    EXPECT_FALSE(document->Lines.Item(1)->Visible());
}

TEST_F(MatrixLayoutTest, PracticeFontSetsAxisButtonThicknessAndCaptionSize) {
    struct Case {
        std::int16_t font;
        float thickness;
        float caption;
    };
    const Case cases[] = {{8, 200, 16},  {9, 200, 16},  {10, 370, 18}, {12, 370, 18},
                          {14, 370, 20}, {15, 370, 21}, {16, 450, 22}};
    const auto document = NewDocument(1);
    for (const Case& c : cases) {
        SCOPED_TRACE("font " + std::to_string(c.font));
        document->VRN_Practice_Font_Size = c.font;
        document->Draw(1, 1);
        EXPECT_EQ(window.btnTarget().Width(), c.thickness);
        EXPECT_EQ(window.btnExisting().Height(), c.thickness);
        EXPECT_EQ(window.btnTarget().fontsize(), c.font);
        EXPECT_EQ(window.LblAltNum().fontsize(), c.font);
        EXPECT_EQ(document->Interactions.Item(1)->Display->fontsize(), c.caption);
    }
    // Both axis buttons go behind the cells.
    EXPECT_EQ(window.btnTarget().lastZOrder(), 1);
    EXPECT_EQ(window.btnExisting().lastZOrder(), 1);
}

TEST_F(MatrixLayoutTest, AlternativeCounterSteppersAndStackLines) {
    const auto document = DrawnDocument(3);
    EXPECT_EQ(window.LblAltNum().text(), "1 of 3");
    EXPECT_TRUE(window.LblAltNum().Visible());
    EXPECT_FALSE(window.btnUpAlt().Enabled());
    EXPECT_TRUE(window.btnDownAlt().Enabled());
    EXPECT_TRUE(window.btnUpAlt().Visible());
    for (int i : {0, 1}) {
        EXPECT_EQ(window.ThickLines(i).BorderWidth(), 2);
        EXPECT_TRUE(window.ThickLines(i).Visible());
    }

    // Placed from the sort buttons: the stack line rises from the corner below the target band
    // to the top of its group band, the slant runs up-left at 45 degrees.
    const auto& sortDown = window.btnSortDown();
    const auto& sortRight = window.btnSortRight();
    const auto& stack = window.ThickLines(0);
    EXPECT_EQ(stack.X1(), sortDown.left() + 35);
    EXPECT_EQ(stack.X2(), stack.X1());
    EXPECT_EQ(stack.Y1(), sortDown.top() - (H + W));
    EXPECT_EQ(stack.Y2(), sortRight.top() - 35);
    EXPECT_EQ(window.btnUpAlt().left(), sortDown.left());
    EXPECT_EQ(window.btnUpAlt().top(), stack.Y1() + H);
    EXPECT_EQ(window.btnDownAlt().top(), window.btnUpAlt().top() + 300);
    EXPECT_FLOAT_EQ(window.LblAltNum().top(), window.btnUpAlt().top() + 150);
    EXPECT_FLOAT_EQ(window.LblAltNum().left(), window.btnUpAlt().left() + 360);
    const auto& slant = window.ThickLines(1);
    const float d = std::nearbyint((sortDown.left() - sortRight.left()) / 2);
    EXPECT_EQ(slant.X1(), stack.X1());
    EXPECT_EQ(slant.Y1(), stack.Y1());
    EXPECT_EQ(slant.X2(), stack.X1() - d);
    EXPECT_EQ(slant.Y2(), stack.Y1() - d);

    document->use_alternative(true, 3);
    document->Draw(1, 1);
    EXPECT_EQ(window.LblAltNum().text(), "3 of 3");
    EXPECT_TRUE(window.btnUpAlt().Enabled());
    EXPECT_FALSE(window.btnDownAlt().Enabled());

    // Hiding the target axis hides them all, and the show-groups button of that axis.
    window.btnShowHorPGs().setVisible(true);
    mainView.setChecked(ViewMark::mnuViewAlternatives, false);
    document->Draw(1, 1);
    for (const WindowControl* control :
         {&window.btnUpAlt(), &window.btnDownAlt(), &window.LblAltNum(), &window.btnShowHorPGs(),
          &window.btnTarget()}) {
        EXPECT_FALSE(control->Visible());
    }
    EXPECT_FALSE(window.ThickLines(0).Visible());
}

TEST_F(MatrixLayoutTest, StackLineWidthGrowsWithTheAlternativesUpToFour) {
    for (const auto& [alternatives, width] : {std::pair{2, 1}, {5, 4}, {7, 4}}) {
        SCOPED_TRACE(std::to_string(alternatives) + " alternatives");
        DrawnDocument(static_cast<std::int16_t>(alternatives));
        EXPECT_EQ(window.ThickLines(0).BorderWidth(), width);
        EXPECT_EQ(window.ThickLines(1).BorderWidth(), width);
    }
}

TEST_F(MatrixLayoutTest, OneAlternativeHidesTheAlternativeControls) {
    const auto document = DrawnDocument(1);
    for (const WindowControl* control :
         {&window.btnUpAlt(), &window.btnDownAlt(), &window.LblAltNum()}) {
        EXPECT_FALSE(control->Visible());
    }
    EXPECT_FALSE(window.ThickLines(0).Visible());
    EXPECT_FALSE(window.ThickLines(1).Visible());
    // The sort buttons still follow their View mark while both axes are shown.
    EXPECT_FALSE(window.btnSortDown().Visible());
    mainView.setChecked(ViewMark::mnuViewSortButtons, true);
    document->Draw(1, 1);
    EXPECT_TRUE(window.btnSortDown().Visible());
    EXPECT_TRUE(window.btnSortRight().Visible());
    mainView.setChecked(ViewMark::mnuViewExisting, false);
    document->Draw(1, 1);
    EXPECT_FALSE(window.btnSortDown().Visible());
    EXPECT_FALSE(window.btnSortRight().Visible());
    EXPECT_FALSE(window.btnExisting().Visible());
}

TEST_F(MatrixLayoutTest, AxisTitlesSitAtTheCornerOfTheFirstRowAndColumn) {
    for (const bool importance : {false, true}) {
        SCOPED_TRACE(importance ? "importance shown" : "importance hidden");
        mainView.setChecked(ViewMark::mnuViewImportance, importance);
        const auto document = DrawnDocument();
        EXPECT_EQ(window.Importance(), importance);
        const auto& row = FirstRow(*document);
        const auto& column = FirstColumn(*document);
        EXPECT_EQ(window.btnExisting().left(), row.left() - H / 2);
        EXPECT_EQ(window.btnExisting().top(), row.top() - H / 2);
        EXPECT_EQ(window.btnTarget().left(), column.left() - H / 2);
        EXPECT_EQ(window.btnTarget().top(),
                  window.btnExisting().top() - 300 - (importance ? column.Width() : 0));
        EXPECT_TRUE(window.btnTarget().Visible());
        EXPECT_TRUE(window.btnExisting().Visible());
        EXPECT_EQ(window.btnExisting().text(), "Existing Practices");
        EXPECT_EQ(window.btnTarget().text(), "Target Practices: Alternative 1");
    }
}

TEST_F(MatrixLayoutTest, DescriptionFrameShowsTitleAndDescriptionInTheCorner) {
    // gap = a quarter of the group height, made whole with halves to even.
    for (const auto& [groupHeight, gap] :
         {std::pair{600.0f, 150.0f}, {610.0f, 152.0f}, {630.0f, 158.0f}}) {
        SCOPED_TRACE("group height " + std::to_string(groupHeight));
        const auto document = NewDocument(1);
        document->VRN_PracticeGrpHeight = groupHeight;
        document->title = "Merger of the two plants";
        document->alternative()->Description = "Both plants share one warehouse.";
        document->Draw(1, 1);
        const auto& frame = window.FrameDescription();
        EXPECT_EQ(frame.text(), "Merger of the two plants");
        EXPECT_TRUE(frame.Visible());
        EXPECT_EQ(frame.top(), FirstColumn(*document).top() - (gap * 4.5f + groupHeight));
        EXPECT_EQ(frame.left(), FirstRow(*document).left() - (gap * 3.5f + groupHeight));
        EXPECT_EQ(frame.Width(), groupHeight + gap + W);
        EXPECT_EQ(frame.Height(), groupHeight + W + 2 * gap);
        EXPECT_EQ(frame.fontsize(), 10);
        const auto& text = window.txtDescription();
        EXPECT_EQ(text.text(), "Both plants share one warehouse.");
        EXPECT_EQ(text.Width(), frame.Width() - 140);
        EXPECT_EQ(text.Height(), frame.Height() - 240 - 70);
    }
}

TEST_F(MatrixLayoutTest, TitleOffHidesTheFrameAndLeavesItsSize) {
    mainView.setChecked(ViewMark::mnuViewTitle, false);
    window.FrameDescription().setWidth(1234);
    window.FrameDescription().setVisible(true);
    DrawnDocument();
    EXPECT_FALSE(window.FrameDescription().Visible());
    EXPECT_EQ(window.FrameDescription().Width(), 1234);
}

TEST_F(MatrixLayoutTest, LegendsAndAttributionStackBelowTheExistingColumn) {
    mainView.setChecked(ViewMark::mnuViewAttribution, true);
    auto document = DrawnDocument();
    const auto& legend = window.frmMatrixInteraction();
    const auto& importanceLegend = window.frmImportance();
    const auto& attribution = window.frameAttribution();
    EXPECT_EQ(legend.top(), kLegendTop);
    EXPECT_EQ(legend.left(), FirstRow(*document).left());
    EXPECT_TRUE(legend.Visible());
    EXPECT_EQ(importanceLegend.top(), kLegendTop);
    EXPECT_FLOAT_EQ(importanceLegend.left(), legend.left() + 2500.0f * 4 / 3);
    EXPECT_FALSE(importanceLegend.Visible());
    EXPECT_EQ(attribution.top(), kLegendTop + 1500 + 30);
    EXPECT_EQ(attribution.left(), 20);

    // With importance shown the taller importance legend counts.
    mainView.setChecked(ViewMark::mnuViewImportance, true);
    document->Draw(1, 1);
    EXPECT_TRUE(importanceLegend.Visible());
    EXPECT_EQ(attribution.top(), importanceLegend.top() + 1800 + 30);

    // Without legends the attribution block moves up to 30 twips below their place.
    mainView.setChecked(ViewMark::mnuViewImportance, false);
    mainView.setChecked(ViewMark::mnuViewLegend, false);
    document->Draw(1, 1);
    EXPECT_FALSE(legend.Visible());
    EXPECT_FALSE(importanceLegend.Visible());
    EXPECT_EQ(attribution.top(), kLegendTop + 30);
}

TEST_F(MatrixLayoutTest, AttributionShowsTheDocumentTextsOrTheFooterAlone) {
    mainView.setChecked(ViewMark::mnuViewAttribution, true);
    auto document = NewDocument(1);
    document->Authors = "R. Amsel";
    document->Assignment = "Plant merger";
    document->Modified = "3/4/2024";
    document->Review = "Board";
    document->Sources = "Interviews";
    document->Distribution = "All staff";
    document->footer = "Confidential";
    document->Draw(1, 1);
    EXPECT_TRUE(window.frameAttribution().Visible());
    EXPECT_FALSE(window.lblFooter().Visible());
    EXPECT_EQ(window.txtAuthors().text(), "R. Amsel");
    EXPECT_EQ(window.txtAssignment().text(), "Plant merger");
    EXPECT_EQ(window.lblModifiedWhen().text(), "3/4/2024");
    EXPECT_EQ(window.txtReview().text(), "Board");
    EXPECT_EQ(window.txtSources().text(), "Interviews");
    EXPECT_EQ(window.txtDocumentation().text(), "All staff");
    EXPECT_EQ(window.txtFooter().text(), "Confidential");
    EXPECT_FALSE(window.chkLock().Value());
    EXPECT_TRUE(window.chkLock().Enabled());
    EXPECT_TRUE(mainView.mnuFileSaveEnabled());

    document->locked = true;
    document->Draw(1, 1);
    EXPECT_TRUE(window.chkLock().Value());
    EXPECT_FALSE(window.chkLock().Enabled());
    EXPECT_FALSE(mainView.mnuFileSaveEnabled());

    mainView.setChecked(ViewMark::mnuViewAttribution, false);
    document->Draw(1, 1);
    EXPECT_FALSE(window.frameAttribution().Visible());
    EXPECT_TRUE(window.lblFooter().Visible());
    EXPECT_EQ(window.lblFooter().text(), "Confidential");
}

TEST_F(MatrixLayoutTest, BackgroundIsPaintedOnlyWhenItChanged) {
    auto document = NewDocument(1);
    const std::vector<WindowControl*> painted{
        &window.btnExisting(),    &window.btnTarget(),        &window.FrameDescription(),
        &window.txtDescription(), &window.lblFooter(),        &window.frmMatrixInteraction(),
        &window.frmImportance(),  &window.frameAttribution(), &window.txtAuthors(),
        &window.txtAssignment(),  &window.lblModifiedWhen(),  &window.txtReview(),
        &window.txtSources(),     &window.txtDocumentation(), &window.txtFooter()};
    for (WindowControl* control : painted) {
        control->setBackColor(0x123456);
    }
    window.setBackColor(0xE0E0E0);
    document->User_FormBackgroundColor = 0xE0E0E0;
    document->Draw(1, 1);
    for (const WindowControl* control : painted) {
        EXPECT_EQ(control->BackColor(), 0x123456);
    }

    document->User_FormBackgroundColor = 0xFFFFFF;
    document->Draw(1, 1);
    EXPECT_EQ(window.BackColor(), 0xFFFFFF);
    for (const WindowControl* control : painted) {
        EXPECT_EQ(control->BackColor(), 0xFFFFFF);
    }
}

TEST_F(MatrixLayoutTest, SecondDrawReusesEveryControlAndPlacesItAlike) {
    const auto document = DrawnDocument(2);
    const auto cells = window.cells().size();
    const auto labels = window.interactionCells().size();
    const auto lines = window.lines().size();
    const auto first = SnapshotOf(window);
    document->Draw(1, 1);
    EXPECT_EQ(window.cells().size(), cells);
    EXPECT_EQ(window.interactionCells().size(), labels);
    EXPECT_EQ(window.lines().size(), lines);
    ExpectSamePlaces(SnapshotOf(window), first);
}

TEST_F(MatrixLayoutTest, MoveByShiftsEverythingPlacedAndMovesBackExactly) {
    mainView.setChecked(ViewMark::mnuViewAttribution, true);
    mainView.setChecked(ViewMark::mnuViewSortButtons, true);
    const auto document = DrawnDocument(3);
    const auto before = SnapshotOf(window);

    document->MoveBy(-500, 300);
    EXPECT_EQ(document->left, -499);
    EXPECT_EQ(document->top, 301);
    // Every control on show moves along, except the footer, which stays with the window.
    std::vector<PlacedControl> expected;
    for (const auto& placed : before) {
        const bool moves = placed.visible && placed.name != "lblFooter";
        expected.push_back(moves ? Shifted(placed, -500, 300) : placed);
    }
    ExpectSamePlaces(SnapshotOf(window), expected);
    EXPECT_EQ(window.scrollbarsCalls().size(), 1u);  // scrolling sets no scroll bars

    document->MoveBy(500, -300);
    EXPECT_EQ(document->left, 1);
    EXPECT_EQ(document->top, 1);
    ExpectSamePlaces(SnapshotOf(window), before);
}

TEST_F(MatrixLayoutTest, DrawAtAScrolledOriginMatchesDrawThenScroll) {
    // A redraw while scrolled (the window passes the scrolled origin) puts everything where
    // scrolling would have, and keeps the extent.
    mainView.setChecked(ViewMark::mnuViewAttribution, true);
    const auto document = DrawnDocument(2);
    const float width = document->Width;
    const float height = document->Height;
    document->MoveBy(-4000, -2500);
    const auto scrolled = SnapshotOf(window);

    document->Draw(1 - 4000, 1 - 2500);
    ExpectSamePlaces(SnapshotOf(window), scrolled);
    EXPECT_EQ(document->Width, width);
    EXPECT_EQ(document->Height, height);
}

TEST_F(MatrixLayoutTest, NoDisplayDrawsNothing) {
    const auto windowless = NewDocument(1, true);
    windowless->Draw(500, 500);
    windowless->MoveBy(10, 10);
    EXPECT_EQ(windowless->top, 0);
    EXPECT_EQ(windowless->left, 0);
    EXPECT_EQ(window.hideObjDisplaysCalls(), 0);
    EXPECT_TRUE(window.scrollbarsCalls().empty());

    const auto document = DrawnDocument();
    const auto before = SnapshotOf(window);
    document->No_Display = true;
    document->Draw(500, 500);
    document->MoveBy(10, 10);
    EXPECT_EQ(document->top, 1);
    EXPECT_EQ(document->left, 1);
    EXPECT_EQ(window.hideObjDisplaysCalls(), 1);
    ExpectSamePlaces(SnapshotOf(window), before);
}

TEST_F(MatrixLayoutTest, DocumentWithoutAlternativeShowsItsExistingStateAlone) {
    const auto document = NewDocument(0);
    ASSERT_EQ(document->Alt_count, 0);
    window.btnTarget().setVisible(true);
    ASSERT_NO_THROW(document->Draw(1, 1));
    for (const auto& practice : document->Existing()->Practices) {
        EXPECT_TRUE(practice->Display->Visible());
    }
    // Nothing of the missing target side shows.
    EXPECT_FALSE(window.btnTarget().Visible());
    EXPECT_FALSE(window.FrameDescription().Visible());
    EXPECT_FALSE(window.btnSortDown().Visible());
    EXPECT_TRUE(window.btnExisting().Visible());
    EXPECT_TRUE(document->Lines.Empty());
    EXPECT_EQ(FirstRow(*document).top(), 1);
    EXPECT_EQ(window.scrollbarsCalls().size(), 1u);
    EXPECT_NO_THROW(document->MoveBy(0, 500));

    // An alternative without practices is drawn without a grid.
    document->new_alternative("Empty", true);
    document->use_alternative(true, 1);
    ASSERT_NO_THROW(document->Draw(1, 1));
    EXPECT_TRUE(document->Lines.Empty());
    EXPECT_TRUE(window.btnTarget().Visible());
}

}  // namespace
}  // namespace vrn::testing
