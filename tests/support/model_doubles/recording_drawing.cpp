#include "tests/support/model_doubles/recording_drawing.h"

#include <utility>

#include "model/reports/drawing_cells.h"

namespace vrn::testing {

namespace {

// A rectangle master's cells as dropped: one unit wide, three quarters high, text centred.
constexpr double kDefaultWidth = 1;
constexpr double kDefaultHeight = 0.75;
constexpr double kDefaultMargin = 4.0 / 72;

}  // namespace

RecordingShape::RecordingShape(std::string masterName, double x, double y)
    : master(std::move(masterName)) {
    cells = {
        {cells::PinX, x},
        {cells::PinY, y},
        {cells::Width, kDefaultWidth},
        {cells::Height, kDefaultHeight},
        {cells::Angle, 0},
        {cells::BeginX, x},
        {cells::BeginY, y},
        {cells::EndX, x},
        {cells::EndY, y},
        {cells::ParaHorzAlign, 1},
        {cells::VerticalAlign, 1},
        {cells::TopMargin, kDefaultMargin},
    };
}

double RecordingShape::Cell(const std::string& name) const {
    const auto found = cells.find(name);
    if (found == cells.end()) {
        throw DrawingError("Unknown cell: " + name);
    }
    return found->second;
}

void RecordingShape::setCell(const std::string& name, double value) {
    const auto found = cells.find(name);
    if (found == cells.end()) {
        throw DrawingError("Unknown cell: " + name);
    }
    found->second = value;
}

std::shared_ptr<DrawingHyperlink> RecordingShape::AddHyperlink() {
    links.push_back(std::make_shared<RecordingHyperlink>());
    return links.back();
}

std::shared_ptr<DrawingShape> RecordingDrawing::Drop(const DrawingMaster& master, double x,
                                                     double y) {
    shapes.push_back(std::make_shared<RecordingShape>(master.Name(), x, y));
    return shapes.back();
}

void RecordingDrawing::Export(const std::string& path) {
    calls.push_back("Export " + path);
    if (failExports_) {
        throw DrawingError("The drawing cannot be written to '" + path + "'.");
    }
}

const DrawingMaster& RecordingDrawing::Item(const std::string& name) const {
    for (const Master* master : {&rectangle_, &connector_}) {
        if (master->Name() == name) {
            return *master;
        }
    }
    throw DrawingError("The stencil has no master called '" + name + "'.");
}

std::vector<std::shared_ptr<RecordingShape>> RecordingDrawing::shapesOf(
    const std::string& master) const {
    std::vector<std::shared_ptr<RecordingShape>> found;
    for (const auto& shape : shapes) {
        if (shape->master == master) {
            found.push_back(shape);
        }
    }
    return found;
}

std::vector<std::shared_ptr<RecordingShape>> RecordingDrawing::shapesWithText(
    const std::string& text) const {
    std::vector<std::shared_ptr<RecordingShape>> found;
    for (const auto& shape : shapes) {
        if (shape->text == text) {
            found.push_back(shape);
        }
    }
    return found;
}

}  // namespace vrn::testing
