#include "app/matrixwin/frm_matrix.h"
#include "app/matrixwin/scene_cell.h"
#include "app/matrixwin/vrn_main.h"
#include "model/vrn_matrix.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"
#include "model/vrn_state.h"
#include "platform/testing/scripted_prompt.h"

#include <QScrollBar>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vrn {
namespace {

// A matrix window on its own, without the main window: no View mark is checked, so its layout
// shows next to nothing, and what the tests show they place themselves.
class MatrixWindowCallbacksTest : public ::testing::Test {
protected:
    MatrixWindowCallbacksTest() {
        program_.Standalone = true;
        window_ = std::make_unique<frmMatrix>(program_, prompt_);
        window_->LoadNewDoc = true;
        window_->Form_Load();
    }

    std::shared_ptr<VRN_Practice> firstPractice() {
        return window_->base()->Existing()->Practices.Item(1);
    }

    VrnMain program_;
    ScriptedPrompt prompt_;
    std::unique_ptr<frmMatrix> window_;
};

TEST_F(MatrixWindowCallbacksTest, ANewDocumentIsBuiltAndDrawnWithoutAWidgetPerCell) {
    const auto& document = window_->base();
    EXPECT_EQ(document->InForm, window_.get());
    EXPECT_EQ(document->VRN_PracticeWidth, 2700);
    EXPECT_EQ(document->Alt_count, 1);
    EXPECT_EQ(document->top, 1);
    EXPECT_EQ(document->left, 1);
    EXPECT_TRUE(window_->Weighted);
    // Each practice asks for its cell and its importance box; each group for its band.
    const auto existing = document->Existing();
    const int practices = existing->Practices.Count() + document->alternative(1)->Practices.Count();
    const int groups = existing->PGroups.Count() + document->alternative(1)->PGroups.Count();
    EXPECT_EQ(window_->groupCellCount(), 2 * practices + groups);
    EXPECT_GT(window_->interactionCellCount(), 0);
    frmMatrix empty(program_, prompt_);
    EXPECT_EQ(window_->findChildren<QWidget*>().size(), empty.findChildren<QWidget*>().size());
}

TEST_F(MatrixWindowCallbacksTest, TheCanvasDrawsAShownControlAtFifteenTwipsAPixel) {
    auto cell =
        std::static_pointer_cast<SceneCell>(window_->CreatePracticeGroup(false, firstPractice()));
    cell->setVisible(true);
    EXPECT_FALSE(cell->drawn());
    cell->setWidth(1500);
    cell->setHeight(750);
    cell->setLeft(3000);
    cell->setTop(-150);
    ASSERT_TRUE(cell->drawn());
    EXPECT_EQ(cell->paintRect(), QRectF(200, -10, 100, 50));
    EXPECT_EQ(window_->canvas().controlAt(QPointF(250, 20)), cell.get());
    cell->ZOrder(1);
    EXPECT_EQ(window_->canvas().controlAt(QPointF(250, 20)), cell.get());
    cell->setVisible(false);
    EXPECT_FALSE(cell->drawn());
    EXPECT_EQ(window_->canvas().controlAt(QPointF(250, 20)), nullptr);

    auto line = window_->CreateLine();
    const int before = window_->canvasCounts().lines;
    line->setX2(1440);
    line->setVisible(true);
    EXPECT_EQ(window_->canvasCounts().lines, before + 1);
}

TEST_F(MatrixWindowCallbacksTest, ControlsInFrontCoverThoseBehindWhereverTheyCameFrom) {
    const auto place = [this](std::shared_ptr<CellControl> cell) {
        cell->setWidth(1500);
        cell->setHeight(1500);
        cell->setVisible(true);
        return cell;
    };
    const auto first = place(window_->CreatePracticeGroup(false, firstPractice()));
    const auto second = place(window_->CreatePracticeGroup(false, firstPractice()));
    const auto topmost = [this] { return window_->canvas().controlAt(QPointF(50, 50)); };
    EXPECT_EQ(topmost(), dynamic_cast<ScenePaintable*>(second.get()));
    first->ZOrder(0);
    EXPECT_EQ(topmost(), dynamic_cast<ScenePaintable*>(first.get()));
    first->ZOrder(1);
    EXPECT_EQ(topmost(), dynamic_cast<ScenePaintable*>(second.get()));
}

TEST_F(MatrixWindowCallbacksTest, TwoCellsOfOnePracticeHaveConsecutiveIndexesAndTheSameElement) {
    auto practice = firstPractice();
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

TEST_F(MatrixWindowCallbacksTest, ANewInteractionCellHasTheDesignSizeUntilTheLayoutSizesIt) {
    const auto interaction = firstPractice()->Interactions.Item(1);
    const auto label = window_->CreateInteract(interaction);
    EXPECT_FALSE(label->Visible());
    EXPECT_GT(label->Width(), 0);
    EXPECT_EQ(label->Width(), label->Height());
    EXPECT_EQ(window_->Interaction_Object(window_->interactionCellCount()), interaction);
    EXPECT_EQ(window_->Interaction_Object(window_->interactionCellCount() + 1), nullptr);
}

// A large document's cells fill several blocks of the window's; each keeps its index, its
// interaction and its texts, and hiding reaches every one shown.
TEST_F(MatrixWindowCallbacksTest, ThousandsOfInteractionCellsKeepTheirIndexInteractionAndText) {
    const auto& document = window_->base();
    const auto interaction = firstPractice()->Interactions.Item(1);
    const int before = window_->interactionCellCount();
    constexpr int kCells = 30000;
    std::vector<std::shared_ptr<InteractionLabel>> labels;
    const auto textOf = [](int i) { return i % 2 == 0 ? std::string("+") : std::to_string(i); };
    for (int i = 0; i < kCells; ++i) {
        labels.push_back(window_->CreateInteract(interaction));
        labels.back()->setText(textOf(i));
        labels.back()->setToolTipText(i % 3 == 0 ? "Interaction" : "");
        labels.back()->setVisible(true);
    }
    ASSERT_EQ(window_->interactionCellCount(), before + kCells);
    for (const int i : {0, 255, 256, 257, 20000, kCells - 1}) {
        const int index = before + i + 1;
        EXPECT_EQ(window_->Interaction_Object(index), interaction) << i;
        EXPECT_EQ(window_->interactionCellIndex(dynamic_cast<ScenePaintable*>(labels[i].get())),
                  index);
        EXPECT_EQ(labels[i]->text(), textOf(i));
        EXPECT_EQ(labels[i]->ToolTipText(), i % 3 == 0 ? "Interaction" : "");
    }
    EXPECT_EQ(window_->canvasCounts().interactionCells, kCells);

    // An interaction that is gone leaves its cell without one.
    auto temporary = VRN_MatrixInteraction::Create(
        document, firstPractice(), document->alternative(1)->Practices.Item(1), window_.get());
    const int index = window_->interactionCellCount();
    EXPECT_EQ(window_->Interaction_Object(index), temporary);
    temporary->Delete();
    temporary.reset();
    EXPECT_EQ(window_->Interaction_Object(index), nullptr);

    window_->HideObjDisplays();
    for (const auto& label : labels) {
        ASSERT_FALSE(label->Visible());
    }
    EXPECT_EQ(window_->canvasCounts(), CanvasCounts{});
}

TEST_F(MatrixWindowCallbacksTest, ControlsKeepWhatTheLayoutSetsAndHidingHidesThemAll) {
    auto cell = window_->CreatePracticeGroup(false, firstPractice());
    cell->setLeft(1440);
    cell->setTop(720);
    cell->setWidth(2700);
    cell->setHeight(600);
    cell->setText("Budgeting");
    cell->setCellOrientation(3);
    cell->setVisible(true);
    EXPECT_EQ(cell->left(), 1440);
    EXPECT_EQ(cell->text(), "Budgeting");
    EXPECT_EQ(std::static_pointer_cast<SceneCell>(cell)->look().cellOrientation, CellLook::kTurned);
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
    EXPECT_EQ(window_->canvasCounts(), CanvasCounts{});
}

TEST_F(MatrixWindowCallbacksTest, ScrollRangesFollowTheDrawingsExtentWhereverItStarts) {
    float xmax = -2750;
    float ymax = 10250;
    window_->SetScrollbars(0, xmax, 0, ymax);
    EXPECT_EQ(xmax, 2750);
    EXPECT_EQ(ymax, 10250);
    EXPECT_EQ(window_->HScroll()->maximum(), 6);   // 5.5 rounds to even
    EXPECT_EQ(window_->VScroll()->maximum(), 20);  // 20.5 rounds to even
    // A drawing scrolled up by 3000 twips has the same extent.
    float bottom = 10250 - 3000;
    window_->SetScrollbars(0, xmax, -3000, bottom);
    EXPECT_EQ(window_->VScroll()->maximum(), 20);
    EXPECT_EQ(window_->VScroll()->pageStep(), 10);  // 10000 twips high: half of it
    float huge = 1.0e30F;
    window_->SetScrollbars(0, huge, 0, huge);
    EXPECT_GT(window_->VScroll()->maximum(), 0);
}

TEST_F(MatrixWindowCallbacksTest, TheDocumentsControlsStaySafeAfterTheWindowHasGone) {
    const std::shared_ptr<VRN_Matrix> document = window_->base();
    const auto practice = firstPractice();
    const auto interaction = practice->Interactions.Item(1);
    window_.reset();
    ASSERT_NE(practice->Display, nullptr);
    practice->Display->setText("Still here");
    practice->Display->setVisible(true);
    practice->Display->ZOrder(0);
    EXPECT_EQ(practice->Display->text(), "Still here");
    interaction->Display->setToolTipText("Note");
    EXPECT_EQ(interaction->Display->ToolTipText(), "Note");
}

TEST_F(MatrixWindowCallbacksTest, AnEmptyWindowMakesAnUnbuiltDocumentOnFirstUse) {
    frmMatrix empty(program_, prompt_);
    empty.Form_Load();
    EXPECT_EQ(empty.groupCellCount(), 0);
    const auto& document = empty.base();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->Alt_count, 0);
    EXPECT_EQ(empty.base(), document);
}

TEST_F(MatrixWindowCallbacksTest, UsingAnAlternativeSwitchesTheDocumentAndLeavesThePreferences) {
    program_.prefs.Def_num_alternatives = 2;
    frmMatrix window(program_, prompt_);
    window.LoadNewDoc = true;
    window.Form_Load();
    window.base()->VRN_PracticeWidth = 3000;
    window.use_alternative(true, 2);
    EXPECT_EQ(window.base()->Alt_i, 2);
    // A redraw does not make one document's sizes those of every new window.
    EXPECT_EQ(program_.prefs.PracticeWidth, 2700);
    window.alternative_name("Target Practices: Alternative 2");
    EXPECT_EQ(window.btnTarget().text(), "Target Practices: Alternative 2");
}

}  // namespace
}  // namespace vrn
