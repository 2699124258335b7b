#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/scene_cell.h"
#include "app/shell/vrn_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"

#include <QGraphicsScene>
#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

namespace vrn {
namespace {

class MatrixWindowTest : public ::testing::Test {
protected:
    MatrixWindowTest() {
        program_.Standalone = true;
        window_ = std::make_unique<frmMatrix>(program_);
        window_->LoadNewDoc = true;
        window_->Form_Load();
    }

    // Every item on the scene is a control the window handed out or owns.
    int sceneItems() const { return static_cast<int>(window_->scene().items().size()); }

    VrnMain program_;
    std::unique_ptr<frmMatrix> window_;
};

TEST_F(MatrixWindowTest, ANewDocumentIsBuiltWithThePreferencesAndHandsOutSceneItems) {
    const auto& document = window_->base();
    EXPECT_EQ(document->InForm, window_.get());
    EXPECT_EQ(document->VRN_PracticeWidth, 2700);
    EXPECT_EQ(document->Alt_count, 1);
    EXPECT_TRUE(window_->Weighted);
    // Each practice asks for its cell and its importance box; each group for its band.
    const auto existing = document->Existing();
    const int practices = existing->Practices.Count() + document->alternative(1)->Practices.Count();
    const int groups = existing->PGroups.Count() + document->alternative(1)->PGroups.Count();
    EXPECT_EQ(window_->groupCellCount(), 2 * practices + groups);
    EXPECT_GT(window_->interactionCellCount(), 0);
    // No widget per cell, and no scene item for a cell that was never laid out.
    EXPECT_LE(window_->findChildren<QWidget*>().size(), 8);
    EXPECT_EQ(sceneItems(), 0);
}

TEST_F(MatrixWindowTest, ACellGetsItsSceneItemWhenFirstShownWithASize) {
    auto practice = window_->base()->Existing()->Practices.Item(1);
    auto cell = std::static_pointer_cast<SceneCell>(window_->CreatePracticeGroup(false, practice));
    cell->setVisible(true);
    EXPECT_EQ(cell->item(), nullptr);
    cell->setWidth(1440);
    EXPECT_EQ(cell->item(), nullptr);
    cell->setHeight(720);
    ASSERT_NE(cell->item(), nullptr);
    EXPECT_EQ(sceneItems(), 1);
    EXPECT_TRUE(cell->item()->isVisible());
    cell->setLeft(2880);
    cell->ZOrder(0);
    const double dpi = window_->logicalDpiX();
    EXPECT_EQ(cell->item()->pos(), QPointF(2 * dpi, 0));
    EXPECT_EQ(cell->item()->boundingRect().size(), QSizeF(dpi, dpi / 2));
    EXPECT_GT(cell->item()->zValue(), 0);
    cell->setVisible(false);
    EXPECT_FALSE(cell->item()->isVisible());

    auto line = window_->CreateLine();
    line->setX2(1440);
    line->setVisible(true);
    EXPECT_EQ(sceneItems(), 2);
}

TEST_F(MatrixWindowTest, TwoCellsOfOnePracticeHaveConsecutiveIndexesAndTheSameElement) {
    auto practice = window_->base()->Existing()->Practices.Item(1);
    const int before = window_->groupCellCount();
    auto cell = window_->CreatePracticeGroup(false, practice);
    auto box = window_->CreatePracticeGroup(false, practice);
    EXPECT_NE(cell, box);
    ASSERT_EQ(window_->groupCellCount(), before + 2);
    for (const int index : {before + 1, before + 2}) {
        const auto element = window_->Cell_Object(index);
        ASSERT_TRUE(element.has_value());
        EXPECT_EQ(std::get<std::shared_ptr<VRN_Practice>>(*element), practice);
    }
    EXPECT_FALSE(cell->Visible());
    EXPECT_FALSE(window_->Cell_Object(0).has_value());
    EXPECT_FALSE(window_->Cell_Object(before + 3).has_value());
}

TEST_F(MatrixWindowTest, ControlsKeepWhatTheLayoutSetsAndHidingHidesThemAll) {
    auto practice = window_->base()->Existing()->Practices.Item(1);
    auto cell = window_->CreatePracticeGroup(false, practice);
    cell->setLeft(1440);
    cell->setTop(720);
    cell->setWidth(2700);
    cell->setHeight(600);
    cell->setText("Budgeting");
    cell->setCellOrientation(3);
    cell->setVisible(true);
    EXPECT_EQ(cell->left(), 1440);
    EXPECT_EQ(cell->text(), "Budgeting");
    EXPECT_EQ(cell->CellOrientation(), 3);
    auto line = window_->CreateLine();
    line->setVisible(true);
    window_->btnSortDown().setVisible(true);
    window_->ThickLines(1).setVisible(true);

    window_->HideObjDisplays();
    EXPECT_FALSE(cell->Visible());
    EXPECT_FALSE(line->Visible());
    EXPECT_FALSE(window_->btnSortDown().Visible());
    EXPECT_FALSE(window_->ThickLines(1).Visible());
    EXPECT_EQ(cell->left(), 1440);
}

TEST_F(MatrixWindowTest, ScrollbarsTakeTheExtentsAsPositiveNumbersOfSteps) {
    float xmax = -2750;
    float ymax = 10250;
    window_->SetScrollbars(0, xmax, 0, ymax);
    EXPECT_EQ(xmax, 2750);
    EXPECT_EQ(ymax, 10250);
    EXPECT_EQ(window_->HScroll()->maximum(), 6);   // 5.5 rounds to even
    EXPECT_EQ(window_->VScroll()->maximum(), 20);  // 20.5 rounds to even
    float huge = 1.0e30F;
    window_->SetScrollbars(0, huge, 0, huge);
    EXPECT_GT(window_->VScroll()->maximum(), 0);
}

TEST_F(MatrixWindowTest, TheDocumentsControlsStaySafeAfterTheWindowHasGone) {
    const std::shared_ptr<VRN_Matrix> document = window_->base();
    const auto practice = document->Existing()->Practices.Item(1);
    const auto interaction = practice->Interactions.Item(1);
    window_.reset();
    ASSERT_NE(practice->Display, nullptr);
    practice->Display->setText("Still here");
    practice->Display->setVisible(true);
    EXPECT_EQ(practice->Display->text(), "Still here");
    interaction->Display->setToolTipText("Note");
    EXPECT_EQ(interaction->Display->ToolTipText(), "Note");
}

TEST_F(MatrixWindowTest, AnEmptyWindowMakesAnUnbuiltDocumentOnFirstUse) {
    frmMatrix empty(program_);
    empty.Form_Load();
    EXPECT_EQ(empty.groupCellCount(), 0);
    const auto& document = empty.base();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Alt_count, 0);
    EXPECT_EQ(empty.base(), document);
}

TEST_F(MatrixWindowTest, UsingAnAlternativeSwitchesTheDocumentAndRefreshesThePreferences) {
    program_.prefs.Def_num_alternatives = 2;
    frmMatrix window(program_);
    window.LoadNewDoc = true;
    window.Form_Load();
    window.base()->VRN_PracticeWidth = 3000;
    window.use_alternative(true, 2);
    EXPECT_EQ(window.base()->Alt_i, 2);
    EXPECT_EQ(program_.prefs.PracticeWidth, 3000);
    window.alternative_name("Target Practices: Alternative 2");
    EXPECT_EQ(window.btnTarget().text(), "Target Practices: Alternative 2");
}

}  // namespace
}  // namespace vrn
