#pragma once

#include <array>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/interfaces/matrix_window.h"
#include "tests/support/model_doubles/recording_cell.h"
#include "tests/support/model_doubles/recording_check_box.h"
#include "tests/support/model_doubles/recording_control.h"
#include "tests/support/model_doubles/recording_interaction_label.h"
#include "tests/support/model_doubles/recording_line.h"

namespace vrn::testing {

// A matrix window without a screen: it hands out recording controls, keeps every one of them
// with the element behind it, and behaves as the real window does where the model relies on it
// (HideObjDisplays hides, SetScrollbars makes the extents positive). Elements are kept weakly,
// so a test can check that a removed element is really gone.
class RecordingMatrixWindow : public MatrixWindow {
public:
    struct CellRecord {
        std::shared_ptr<RecordingCell> control;
        bool horizontal = false;
        std::weak_ptr<VRN_Practice> practice;    // a practice's cell or importance box
        std::weak_ptr<VRN_PracticeGroup> group;  // a group's band
    };
    struct InteractionRecord {
        std::shared_ptr<RecordingInteractionLabel> control;
        std::weak_ptr<VRN_MatrixInteraction> interaction;
    };
    struct ScrollbarsCall {
        float X = 0;
        float xmax = 0;
        float Y = 0;
        float ymax = 0;
    };

    RecordingMatrixWindow();

    std::shared_ptr<CellControl> CreatePracticeGroup(bool horizontal, CellObject obj) override;
    std::shared_ptr<InteractionLabel> CreateInteract(
        const std::shared_ptr<VRN_MatrixInteraction>& interaction) override;
    std::shared_ptr<LineControl> CreateLine() override;
    void HideObjDisplays() override;
    void SetScrollbars(float X, float& xmax, float Y, float& ymax) override;
    void alternative_name(const std::string& alt_name) override;

    // What the window handed out, in order: entry i has the control index i + 1.
    const std::deque<CellRecord>& cells() const { return cells_; }
    const std::deque<InteractionRecord>& interactionCells() const { return interactionCells_; }
    const std::deque<std::shared_ptr<RecordingLine>>& lines() const { return lines_; }
    // The cells handed out for one element (a practice has two: its cell, then its box).
    std::vector<std::shared_ptr<RecordingCell>> cellsOf(const VRN_Practice& practice) const;
    std::vector<std::shared_ptr<RecordingCell>> cellsOf(const VRN_PracticeGroup& group) const;

    int hideObjDisplaysCalls() const { return hideObjDisplaysCalls_; }
    const std::vector<ScrollbarsCall>& scrollbarsCalls() const { return scrollbarsCalls_; }
    const std::vector<std::string>& alternativeNames() const { return alternativeNames_; }

    float Height() const override { return height_; }
    void setHeight(float value) override { height_ = value; }
    float Width() const override { return width_; }
    void setWidth(float value) override { width_ = value; }
    std::int32_t BackColor() const override { return backColor_; }
    void setBackColor(std::int32_t value) override { backColor_ = value; }
    bool Importance() const override { return importance_; }
    void setImportance(bool value) override { importance_ = value; }
    std::shared_ptr<CatalogueEntity> ent() const override { return ent_; }
    void setEnt(std::shared_ptr<CatalogueEntity> entity) { ent_ = std::move(entity); }

    RecordingControl& btnExisting() override { return btnExisting_; }
    RecordingControl& btnTarget() override { return btnTarget_; }
    RecordingControl& btnUpAlt() override { return btnUpAlt_; }
    RecordingControl& btnDownAlt() override { return btnDownAlt_; }
    RecordingControl& LblAltNum() override { return lblAltNum_; }
    RecordingControl& btnSortDown() override { return btnSortDown_; }
    RecordingControl& btnSortRight() override { return btnSortRight_; }
    RecordingControl& btnShowHorPGs() override { return btnShowHorPGs_; }
    RecordingControl& btnSHowPGs() override { return btnSHowPGs_; }
    RecordingLine& ThickLines(int index) override;  // 0 or 1
    RecordingControl& FrameDescription() override { return frameDescription_; }
    RecordingControl& txtDescription() override { return txtDescription_; }
    RecordingControl& frmMatrixInteraction() override { return frmMatrixInteraction_; }
    RecordingControl& frmImportance() override { return frmImportance_; }
    RecordingControl& Label1(int index) override;  // 0 to 15
    RecordingControl& frameAttribution() override { return frameAttribution_; }
    RecordingControl& txtAuthors() override { return txtAuthors_; }
    RecordingControl& txtAssignment() override { return txtAssignment_; }
    RecordingControl& txtReview() override { return txtReview_; }
    RecordingControl& txtSources() override { return txtSources_; }
    RecordingControl& txtDocumentation() override { return txtDocumentation_; }
    RecordingControl& txtFooter() override { return txtFooter_; }
    RecordingControl& lblModifiedWhen() override { return lblModifiedWhen_; }
    RecordingControl& lblFooter() override { return lblFooter_; }
    RecordingCheckBox& chkLock() override { return chkLock_; }
    RecordingControl& RichTextBox() override { return richTextBox_; }

private:
    std::deque<CellRecord> cells_;
    std::deque<InteractionRecord> interactionCells_;
    std::deque<std::shared_ptr<RecordingLine>> lines_;
    int hideObjDisplaysCalls_ = 0;
    std::vector<ScrollbarsCall> scrollbarsCalls_;
    std::vector<std::string> alternativeNames_;

    float height_ = 10000;
    float width_ = 0;
    std::int32_t backColor_ = 0;
    bool importance_ = false;
    std::shared_ptr<CatalogueEntity> ent_;

    RecordingControl btnExisting_, btnTarget_, btnUpAlt_, btnDownAlt_, lblAltNum_;
    RecordingControl btnSortDown_, btnSortRight_, btnShowHorPGs_, btnSHowPGs_;
    std::array<RecordingLine, 2> thickLines_;
    RecordingControl frameDescription_, txtDescription_, frmMatrixInteraction_, frmImportance_;
    std::array<RecordingControl, 16> label1_;
    RecordingControl frameAttribution_, txtAuthors_, txtAssignment_, txtReview_, txtSources_;
    RecordingControl txtDocumentation_, txtFooter_, lblModifiedWhen_, lblFooter_, richTextBox_;
    RecordingCheckBox chkLock_;
};

}  // namespace vrn::testing
