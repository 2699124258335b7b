#include "app/matrixwin/frm_matrix.h"

#include "model/layout/legend_design.h"
#include "model/vrn_matrix_interaction.h"
#include "model/vrn_practice.h"
#include "model/vrn_practice_group.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

// The matrix window's controls: the ones it was designed with, and the cells, interaction cells
// and lines its document asks for while it lays itself out.

namespace vrn {

namespace {

constexpr float kFooterHeightTwips = 285;
// The size of a new interaction cell until the layout sizes it: the cells of a state's triangle
// keep it.
constexpr float kInteractionCellTwips = 375;

}  // namespace

// The window's own controls as designed: what the layout does not size, caption or place
// inside a frame.
void frmMatrix::designControls() {
    const auto size = [](WindowControl& control, float width, float height) {
        control.setWidth(width);
        control.setHeight(height);
    };
    const auto at = [](WindowControl& control, float left, float top) {
        control.setLeft(left);
        control.setTop(top);
    };
    btnExisting_.setText("Existing Practices");
    btnExisting_.setWidth(2700);
    btnTarget_.setHeight(2700);
    btnUpAlt_.setText("\u25B2");
    btnDownAlt_.setText("\u25BC");
    btnSortDown_.setText("\u2193");
    btnSortRight_.setText("\u2192");
    btnShowHorPGs_.setText("+");
    btnSHowPGs_.setText("+");
    for (SceneFixedControl* square : {&btnUpAlt_, &btnDownAlt_, &btnSortDown_, &btnSortRight_}) {
        size(*square, 300, 300);
    }
    btnShowHorPGs_.setWidth(300);
    btnSHowPGs_.setHeight(300);
    size(lblAltNum_, 900, 285);

    frameDescription_.setText("Varnel");
    txtDescription_.placeInside(frameDescription_);
    // A long title takes the lines above the description and is shortened there.
    frameDescription_.keepCaptionAbove(txtDescription_);
    at(txtDescription_, 70, 300);
    txtDescription_.setVisible(true);

    frmMatrixInteraction_.setText("Interactions");
    size(frmMatrixInteraction_, layout::kLegendFrameWidth, layout::kInteractionLegendHeight);
    frmImportance_.setText("Importance");
    size(frmImportance_, layout::kLegendFrameWidth, layout::kImportanceLegendHeight);
    const auto legend = layout::legendLabels();
    for (std::size_t i = 0; i < legend.size(); ++i) {
        SceneFixedControl& label = label1_.emplace_back(context_, Kind::Label);
        label.placeInside(i < layout::kInteractionLegendLabels ? frmMatrixInteraction_
                                                               : frmImportance_);
        label.setText(std::string(legend[i].text));
        at(label, legend[i].left, legend[i].top);
        size(label, legend[i].width, legend[i].height);
        label.setVisible(true);
    }
    // As the window was designed: the legend shows until a layout says otherwise.
    frmMatrixInteraction_.setVisible(true);

    frameAttribution_.setText("Attribution");
    size(frameAttribution_, 6200, 2750);
    const std::array<std::pair<const char*, SceneFixedControl*>, 7> kFields{{
        {"Authors:", &txtAuthors_},
        {"Project:", &txtAssignment_},
        {"Modified:", &lblModifiedWhen_},
        {"Sources:", &txtSources_},
        {"Review Status:", &txtReview_},
        {"Documentation:", &txtDocumentation_},
        {"Footer:", &txtFooter_},
    }};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        const float top = 300 + 310 * static_cast<float>(i);
        SceneFixedControl& caption = attributionCaptions_.emplace_back(context_, Kind::Label);
        caption.placeInside(frameAttribution_);
        caption.setText(kFields[i].first);
        at(caption, 100, top);
        size(caption, 1300, 285);
        caption.setVisible(true);
        SceneFixedControl& field = *kFields[i].second;
        field.placeInside(frameAttribution_);
        at(field, 1450, top);
        size(field, 4600, 285);
        field.setVisible(true);
    }
    chkLock_.placeInside(frameAttribution_);
    chkLock_.setText("Locked");
    at(chkLock_, 1450, 300 + 310 * 7);
    size(chkLock_, 1500, 285);
    chkLock_.setVisible(true);

    lblFooter_.setHeight(kFooterHeightTwips);
}

void frmMatrix::forgetScene() {
    for (const auto& cell : btnGroup_) {
        cell->forgetScene();
    }
    lblInteract_.ForgetScene();
    for (const auto& line : Lines_) {
        line->forgetScene();
    }
    for (SceneFixedControl* control :
         {&btnExisting_,     &btnTarget_,        &btnUpAlt_,         &btnDownAlt_,
          &lblAltNum_,       &btnSortDown_,      &btnSortRight_,     &btnShowHorPGs_,
          &btnSHowPGs_,      &frameDescription_, &txtDescription_,   &frmMatrixInteraction_,
          &frmImportance_,   &frameAttribution_, &txtAuthors_,       &txtAssignment_,
          &txtReview_,       &txtSources_,       &txtDocumentation_, &txtFooter_,
          &lblModifiedWhen_, &lblFooter_,        &richTextBox_}) {
        control->forgetScene();
    }
    for (SceneFixedControl& label : label1_) {
        label.forgetScene();
    }
    for (SceneFixedControl& caption : attributionCaptions_) {
        caption.forgetScene();
    }
    for (SceneLine& line : thickLines_) {
        line.forgetScene();
    }
    chkLock_.forgetScene();
    logo_.forgetScene();
}

std::shared_ptr<CellControl> frmMatrix::CreatePracticeGroup(bool, CellObject obj) {
    auto cell = std::make_shared<SceneCell>(context_);
    btnGroup_.push_back(cell);
    cellObjects_.push_back(std::visit(
        [](const auto& element) -> CellObjectRef { return std::weak_ptr(element); }, obj));
    return cell;
}

std::shared_ptr<InteractionLabel> frmMatrix::CreateInteract(
    const std::shared_ptr<VRN_MatrixInteraction>& interaction) {
    return lblInteract_.Create(interaction, kInteractionCellTwips, kInteractionCellTwips);
}

std::shared_ptr<LineControl> frmMatrix::CreateLine() {
    auto line = std::make_shared<SceneLine>(context_);
    Lines_.push_back(line);
    return line;
}

std::optional<CellObject> frmMatrix::Cell_Object(int index) const {
    if (index < 1 || index > groupCellCount()) {
        return std::nullopt;
    }
    return std::visit(
        [](const auto& element) -> std::optional<CellObject> {
            if (auto locked = element.lock()) {
                return CellObject(std::move(locked));
            }
            return std::nullopt;
        },
        cellObjects_[static_cast<std::size_t>(index - 1)]);
}

std::shared_ptr<VRN_MatrixInteraction> frmMatrix::Interaction_Object(int index) const {
    return lblInteract_.Interaction(index);
}

CanvasCounts frmMatrix::canvasCounts() const {
    const auto shown = [](const auto& controls) {
        return static_cast<int>(
            std::count_if(controls.begin(), controls.end(),
                          [](const auto& control) { return control->drawn(); }));
    };
    return CanvasCounts{.cells = shown(btnGroup_),
                        .interactionCells = lblInteract_.Drawn(),
                        .lines = shown(Lines_)};
}

void frmMatrix::HideObjDisplays() {
    for (const auto& cell : btnGroup_) {
        cell->setVisible(false);
    }
    lblInteract_.HideShown();
    for (const auto& line : Lines_) {
        line->setVisible(false);
    }
    btnSortDown_.setVisible(false);
    btnSortRight_.setVisible(false);
    thickLines_[0].setVisible(false);
    thickLines_[1].setVisible(false);
}

}  // namespace vrn
