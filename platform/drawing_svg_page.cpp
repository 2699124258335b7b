#include "platform/drawing_svg_page.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <fstream>
#include <limits>
#include <stdexcept>

#include "model/file/safe_save_file.h"
#include "platform/html_export_page.h"
#include "platform/svg_writer.h"

namespace vrn {

namespace {

constexpr std::array<const char*, static_cast<std::size_t>(ShapeCell::Count)> kCellNames{
    "PinX",   "PinY", "Width", "Height",         "Angle",         "BeginX",
    "BeginY", "EndX", "EndY",  "Para.HorzAlign", "VerticalAlign", "TopMargin"};

constexpr double kCentred = 1;
constexpr double kMiddle = 1;
constexpr double kDefaultTopMargin = 4.0 / 72;  // four points
// Room kept between a shape's outline and its text on the other sides, in points.
constexpr double kTextMargin = 4;
constexpr std::size_t kReadBackChunk = 64 * 1024;

std::size_t CellIndex(const std::string& name) {
    for (std::size_t i = 0; i < kCellNames.size(); ++i) {
        if (name == kCellNames[i]) {
            return i;
        }
    }
    throw DrawingError("A shape has no cell called '" + name + "'.");
}

// An alignment cell's value as 0 (left or top), 1 (centred) or 2 (right or bottom).
int Alignment(double value) {
    return value < 0.5 ? 0 : value > 1.5 ? 2 : 1;
}

// Reads `file` back and compares it with `content`; throws when they differ.
void CheckWritten(const std::filesystem::path& file, std::string_view content) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw std::runtime_error("the written file cannot be read back");
    }
    std::string chunk(kReadBackChunk, '\0');
    std::size_t offset = 0;
    bool same = true;
    do {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto count = static_cast<std::size_t>(in.gcount());
        same = content.substr(offset, count) == std::string_view(chunk).substr(0, count);
        offset += count;
    } while (same && in);
    if (in.bad() || !same || offset != content.size()) {
        throw std::runtime_error("the file on disk does not hold what was written");
    }
}

}  // namespace

SvgShape::SvgShape(std::shared_ptr<SvgPageState> page, const MasterDefinition& master, double x,
                   double y)
    : page_(std::move(page)), kind_(master.kind), look_(master.look), depth_(++page_->frontmost) {
    setCell(ShapeCell::PinX, x);
    setCell(ShapeCell::PinY, y);
    setCell(ShapeCell::Width, master.width);
    setCell(ShapeCell::Height, master.kind == MasterKind::Line ? 0 : master.height);
    setCell(ShapeCell::BeginX, x);
    setCell(ShapeCell::BeginY, y);
    setCell(ShapeCell::EndX, x);
    setCell(ShapeCell::EndY, y);
    setCell(ShapeCell::ParaHorzAlign, kCentred);
    setCell(ShapeCell::VerticalAlign, kMiddle);
    setCell(ShapeCell::TopMargin, kDefaultTopMargin);
}

double SvgShape::Cell(const std::string& name) const {
    return cells_[CellIndex(name)];
}

void SvgShape::setCell(const std::string& name, double value) {
    if (!std::isfinite(value)) {
        throw DrawingError("The cell '" + name + "' cannot take a value that is not a number.");
    }
    cells_[CellIndex(name)] = value;
}

void SvgShape::setStyle(const std::string& name) {
    const auto found = page_->layout.styles.find(name);
    if (found == page_->layout.styles.end()) {
        throw DrawingError("The drawing has no style called '" + name + "'.");
    }
    look_ = found->second;
}

void SvgShape::BringToFront() {
    depth_ = ++page_->frontmost;
}

void SvgShape::SendToBack() {
    depth_ = --page_->backmost;
}

std::shared_ptr<DrawingHyperlink> SvgShape::AddHyperlink() {
    links_.push_back(std::make_shared<SvgHyperlink>());
    return links_.back();
}

DrawingTextLayout SvgShape::textLayout() const {
    if (kind_ == MasterKind::Line || text_.empty()) {
        return {};
    }
    const DrawingTextFrame frame{
        .width = std::abs(cell(ShapeCell::Width)) * kPointsPerInch,
        .height = std::abs(cell(ShapeCell::Height)) * kPointsPerInch,
        .leftMargin = kTextMargin,
        .rightMargin = kTextMargin,
        .topMargin = std::max(0.0, cell(ShapeCell::TopMargin) * kPointsPerInch),
        .bottomMargin = kTextMargin,
        .horizontalAlign = Alignment(cell(ShapeCell::ParaHorzAlign)),
        .verticalAlign = Alignment(cell(ShapeCell::VerticalAlign))};
    return LayOutDrawingText(*page_->measure, text_, frame, page_->layout.fontSize);
}

std::array<double, 4> SvgShape::extent() const {
    if (kind_ == MasterKind::Line) {
        const double x1 = cell(ShapeCell::BeginX), y1 = cell(ShapeCell::BeginY);
        const double x2 = cell(ShapeCell::EndX), y2 = cell(ShapeCell::EndY);
        return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
    }
    const double angle = cell(ShapeCell::Angle);
    const double w = cell(ShapeCell::Width), h = cell(ShapeCell::Height);
    const double halfX = (std::abs(w * std::cos(angle)) + std::abs(h * std::sin(angle))) / 2;
    const double halfY = (std::abs(w * std::sin(angle)) + std::abs(h * std::cos(angle))) / 2;
    const double x = cell(ShapeCell::PinX), y = cell(ShapeCell::PinY);
    return {x - halfX, y - halfY, x + halfX, y + halfY};
}

void SvgShape::moveBy(double dx, double dy) {
    for (const auto& [xCell, yCell] : {std::pair{ShapeCell::PinX, ShapeCell::PinY},
                                       std::pair{ShapeCell::BeginX, ShapeCell::BeginY},
                                       std::pair{ShapeCell::EndX, ShapeCell::EndY}}) {
        setCell(xCell, cell(xCell) + dx);
        setCell(yCell, cell(yCell) + dy);
    }
}

SvgDrawingPage::SvgDrawingPage(DrawingTemplate layout,
                               std::shared_ptr<const DrawingTextMeasure> measure)
    : state_(std::make_shared<SvgPageState>(SvgPageState{std::move(layout), std::move(measure)})),
      width_(state_->layout.pageWidth),
      height_(state_->layout.pageHeight) {
    if (state_->measure == nullptr) {
        throw DrawingError("A drawing page needs the measure of its font.");
    }
}

std::shared_ptr<DrawingShape> SvgDrawingPage::Drop(const DrawingMaster& master, double x,
                                                   double y) {
    const auto* stencilMaster = dynamic_cast<const StencilMaster*>(&master);
    if (stencilMaster == nullptr) {
        throw DrawingError("The master '" + master.Name() + "' is not one of a drawing stencil.");
    }
    shapes_.push_back(std::make_shared<SvgShape>(state_, stencilMaster->definition(), x, y));
    return shapes_.back();
}

void SvgDrawingPage::CenterDrawing() {
    if (shapes_.empty()) {
        return;
    }
    double left = std::numeric_limits<double>::max(), bottom = left;
    double right = std::numeric_limits<double>::lowest(), top = right;
    for (const auto& shape : shapes_) {
        const auto [l, b, r, t] = shape->extent();
        left = std::min(left, l);
        bottom = std::min(bottom, b);
        right = std::max(right, r);
        top = std::max(top, t);
    }
    const DrawingTemplate& layout = state_->layout;
    width_ = std::max(layout.pageWidth, right - left + 2 * layout.margin);
    height_ = std::max(layout.pageHeight, top - bottom + 2 * layout.margin);
    const double dx = width_ / 2 - (left + right) / 2;
    const double dy = height_ / 2 - (bottom + top) / 2;
    for (const auto& shape : shapes_) {
        shape->moveBy(dx, dy);
    }
}

void SvgDrawingPage::Export(const std::string& path) {
    SaveDrawingFile(path, HtmlExportPage(*this));
}

std::string SvgDrawingPage::Svg() const {
    return SvgDocument(*this);
}

void SvgDrawingPage::SaveSvg(const std::filesystem::path& path) const {
    SaveDrawingFile(path, Svg());
}

std::vector<const SvgShape*> SvgDrawingPage::paintingOrder() const {
    std::vector<const SvgShape*> order;
    order.reserve(shapes_.size());
    for (const auto& shape : shapes_) {
        order.push_back(shape.get());
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const SvgShape* a, const SvgShape* b) { return a->depth() < b->depth(); });
    return order;
}

void SaveDrawingFile(const std::filesystem::path& path, const std::string& content) {
    try {
        SafeSaveFile file(path);
        file.Write(content);
        CheckWritten(file.temporary(), content);
        file.Commit();
    } catch (const std::exception& error) {
        throw DrawingError("The drawing cannot be written to '" + path.string() +
                           "': " + error.what());
    }
}

}  // namespace vrn
