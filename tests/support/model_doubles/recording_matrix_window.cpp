#include "tests/support/model_doubles/recording_matrix_window.h"

#include <cmath>
#include <stdexcept>
#include <variant>

namespace vrn::testing {

namespace {

template <class Element>
std::vector<std::shared_ptr<RecordingCell>> CellsBehind(
    const std::deque<RecordingMatrixWindow::CellRecord>& cells, const Element& element,
    std::weak_ptr<Element> RecordingMatrixWindow::CellRecord::*link) {
    std::vector<std::shared_ptr<RecordingCell>> found;
    for (const auto& record : cells) {
        if ((record.*link).lock().get() == &element) {
            found.push_back(record.control);
        }
    }
    return found;
}

}  // namespace

RecordingMatrixWindow::RecordingMatrixWindow() {
    // Stand-ins for the design sizes of the controls whose size the layout reads.
    frmMatrixInteraction_.setWidth(2500);
    frmMatrixInteraction_.setHeight(1500);
    frmImportance_.setWidth(2500);
    frmImportance_.setHeight(1800);
    btnUpAlt_.setWidth(300);
    btnUpAlt_.setHeight(300);
    btnDownAlt_.setWidth(300);
    btnDownAlt_.setHeight(300);
    btnTarget_.setHeight(300);
    btnExisting_.setWidth(300);
    txtDescription_.setTop(240);
}

std::shared_ptr<CellControl> RecordingMatrixWindow::CreatePracticeGroup(bool horizontal,
                                                                        CellObject obj) {
    CellRecord record{std::make_shared<RecordingCell>(), horizontal, {}, {}};
    if (auto* practice = std::get_if<std::shared_ptr<VRN_Practice>>(&obj)) {
        record.practice = *practice;
    } else {
        record.group = std::get<std::shared_ptr<VRN_PracticeGroup>>(obj);
    }
    cells_.push_back(record);
    return record.control;
}

std::shared_ptr<InteractionLabel> RecordingMatrixWindow::CreateInteract(
    const std::shared_ptr<VRN_MatrixInteraction>& interaction) {
    auto control = std::make_shared<RecordingInteractionLabel>();
    interactionCells_.push_back({control, interaction});
    return control;
}

std::shared_ptr<LineControl> RecordingMatrixWindow::CreateLine() {
    return lines_.emplace_back(std::make_shared<RecordingLine>());
}

void RecordingMatrixWindow::HideObjDisplays() {
    ++hideObjDisplaysCalls_;
    for (const auto& record : cells_) {
        record.control->setVisible(false);
    }
    for (const auto& record : interactionCells_) {
        record.control->setVisible(false);
    }
    for (const auto& line : lines_) {
        line->setVisible(false);
    }
    btnSortDown_.setVisible(false);
    btnSortRight_.setVisible(false);
    thickLines_[0].setVisible(false);
    thickLines_[1].setVisible(false);
}

void RecordingMatrixWindow::SetScrollbars(float X, float& xmax, float Y, float& ymax) {
    xmax = std::fabs(xmax);
    ymax = std::fabs(ymax);
    scrollbarsCalls_.push_back({X, xmax, Y, ymax});
}

void RecordingMatrixWindow::alternative_name(const std::string& alt_name) {
    alternativeNames_.push_back(alt_name);
    btnTarget_.setText(alt_name);
}

std::vector<std::shared_ptr<RecordingCell>> RecordingMatrixWindow::cellsOf(
    const VRN_Practice& practice) const {
    return CellsBehind(cells_, practice, &CellRecord::practice);
}

std::vector<std::shared_ptr<RecordingCell>> RecordingMatrixWindow::cellsOf(
    const VRN_PracticeGroup& group) const {
    return CellsBehind(cells_, group, &CellRecord::group);
}

RecordingLine& RecordingMatrixWindow::ThickLines(int index) {
    if (index < 0 || index > 1) {
        throw std::out_of_range("ThickLines has the indexes 0 and 1, not " + std::to_string(index));
    }
    return thickLines_[static_cast<std::size_t>(index)];
}

RecordingControl& RecordingMatrixWindow::Label1(int index) {
    if (index < 0 || index > 15) {
        throw std::out_of_range("Label1 has the indexes 0 to 15, not " + std::to_string(index));
    }
    return label1_[static_cast<std::size_t>(index)];
}

}  // namespace vrn::testing
