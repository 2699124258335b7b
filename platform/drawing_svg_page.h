#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/reports/drawing_page.h"
#include "model/reports/drawing_text.h"
#include "platform/drawing_template.h"

namespace vrn {

// Points (the SVG's user units) per drawing unit.
inline constexpr double kPointsPerInch = 72;

class SvgHyperlink : public DrawingHyperlink {
public:
    void setAddress(const std::string& value) override { address_ = value; }
    void setDescription(const std::string& value) override { description_ = value; }
    void setClickHandler(const std::string& script) override { clickHandler_ = script; }

    const std::string& address() const { return address_; }
    const std::string& description() const { return description_; }
    const std::string& clickHandler() const { return clickHandler_; }

private:
    std::string address_;
    std::string description_;
    std::string clickHandler_;
};

// The cells every shape of our drawings has, by index.
enum class ShapeCell {
    PinX,
    PinY,
    Width,
    Height,
    Angle,
    BeginX,
    BeginY,
    EndX,
    EndY,
    ParaHorzAlign,
    VerticalAlign,
    TopMargin,
    Count
};

// What the shapes of one page share: the template's styles and text, the measure of its font and
// the painting-order counters. Shared, so a shape kept after its page is gone stays safe to use.
struct SvgPageState {
    DrawingTemplate layout;
    std::shared_ptr<const DrawingTextMeasure> measure;
    std::int64_t backmost = 0;
    std::int64_t frontmost = 0;
};

// A shape on an SVG page: a rectangle with text, or a line between its begin and end points.
class SvgShape : public DrawingShape {
public:
    SvgShape(std::shared_ptr<SvgPageState> page, const MasterDefinition& master, double x,
             double y);

    double Cell(const std::string& name) const override;
    void setCell(const std::string& name, double value) override;
    void setText(const std::string& value) override { text_ = value; }
    void setStyle(const std::string& name) override;
    void BringToFront() override;
    void SendToBack() override;
    std::shared_ptr<DrawingHyperlink> AddHyperlink() override;

    double cell(ShapeCell which) const { return cells_[static_cast<std::size_t>(which)]; }
    void setCell(ShapeCell which, double value) { cells_[static_cast<std::size_t>(which)] = value; }
    MasterKind kind() const { return kind_; }
    const DrawingLook& look() const { return look_; }
    const std::string& text() const { return text_; }
    // The first link added, null when there is none.
    const SvgHyperlink* link() const { return links_.empty() ? nullptr : links_.front().get(); }
    // Painting order: lower first.
    std::int64_t depth() const { return depth_; }

    // The shape's text laid out in the shape (see LayOutDrawingText), in points from its
    // top-left corner before it is turned, along its width. Empty for a line.
    DrawingTextLayout textLayout() const;

    // Left, bottom, right and top of the area the shape covers.
    std::array<double, 4> extent() const;
    void moveBy(double dx, double dy);

private:
    std::shared_ptr<SvgPageState> page_;
    MasterKind kind_;
    DrawingLook look_;
    std::array<double, static_cast<std::size_t>(ShapeCell::Count)> cells_{};
    std::string text_;
    std::vector<std::shared_ptr<SvgHyperlink>> links_;
    std::int64_t depth_ = 0;
};

// A drawing page of our own: shapes of a stencil's masters on a page of the template's size,
// in inches with y growing upwards from the page's bottom-left corner. It renders itself as SVG
// and exports one HTML page holding that SVG. Its text is laid out with `measure`, which must
// measure the template's font.
class SvgDrawingPage : public DrawingPage {
public:
    SvgDrawingPage(DrawingTemplate layout, std::shared_ptr<const DrawingTextMeasure> measure);

    std::string Name() const override { return name_; }
    void setName(const std::string& value) override { name_ = value; }
    // `master` must come from a DrawingStencilFile.
    std::shared_ptr<DrawingShape> Drop(const DrawingMaster& master, double x, double y) override;
    // Centres the drawing on the page, first growing the page to hold it within the margins.
    void CenterDrawing() override;
    void Export(const std::string& path) override;

    // The page as a stand-alone SVG document, and written to `path`.
    std::string Svg() const;
    void SaveSvg(const std::filesystem::path& path) const;

    const DrawingTemplate& layout() const { return state_->layout; }
    const DrawingTextMeasure& measure() const { return *state_->measure; }
    double width() const { return width_; }
    double height() const { return height_; }
    // The shapes from the back to the front.
    std::vector<const SvgShape*> paintingOrder() const;
    std::size_t shapeCount() const { return shapes_.size(); }

private:
    std::string name_;
    std::shared_ptr<SvgPageState> state_;
    double width_;
    double height_;
    std::vector<std::shared_ptr<SvgShape>> shapes_;
};

// Writes `content` to `path` through a temporary file beside it, which is read back and compared
// before it replaces `path`. Throws DrawingError naming the path and the system's reason when
// that fails; an older file is then left as it was, and no temporary file is left behind.
void SaveDrawingFile(const std::filesystem::path& path, const std::string& content);

}  // namespace vrn
