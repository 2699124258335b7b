#include "platform/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "platform/drawing_svg_page.h"
#include "platform/svg_markup.h"

namespace vrn {

namespace {

class SvgBuilder {
public:
    explicit SvgBuilder(const SvgDrawingPage& page) : page_(page), layout_(page.layout()) {}

    std::string build() {
        out_.reserve(256 + page_.shapeCount() * 200);
        const auto [left, bottom, right, top] = viewExtent();
        out_ +=
            "<svg xmlns=\"http://www.w3.org/2000/svg\" "
            "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"";
        number(right - left);
        out_ += "in\" height=\"";
        number(top - bottom);
        out_ += "in\" viewBox=\"";
        number(left * kPointsPerInch);
        out_ += ' ';
        number((page_.height() - top) * kPointsPerInch);
        out_ += ' ';
        number((right - left) * kPointsPerInch);
        out_ += ' ';
        number((top - bottom) * kPointsPerInch);
        out_ += "\" font-family=\"";
        AppendEscapedMarkup(out_, layout_.font);
        out_ += "\" font-size=\"";
        number(layout_.fontSize);
        out_ += "\">\n<title>";
        AppendEscapedMarkup(out_, page_.Name());
        out_ += "</title>\n<rect x=\"";
        number(left * kPointsPerInch);
        out_ += "\" y=\"";
        number((page_.height() - top) * kPointsPerInch);
        out_ += "\" width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
        for (const SvgShape* shape : page_.paintingOrder()) {
            shapeElement(*shape);
        }
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    // The page and everything on it, in inches: left, bottom, right, top.
    std::array<double, 4> viewExtent() const {
        std::array<double, 4> view{0, 0, page_.width(), page_.height()};
        for (const SvgShape* shape : page_.paintingOrder()) {
            const auto e = shape->extent();
            view = {std::min(view[0], e[0]), std::min(view[1], e[1]), std::max(view[2], e[2]),
                    std::max(view[3], e[3])};
        }
        return view;
    }

    void number(double value) { AppendNumber(out_, value); }
    double x(double inches) const { return inches * kPointsPerInch; }
    double y(double inches) const { return (page_.height() - inches) * kPointsPerInch; }

    void attribute(const char* name, std::string_view value) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        AppendEscapedMarkup(out_, value);
        out_ += '"';
    }
    void attribute(const char* name, double value) {
        out_ += ' ';
        out_ += name;
        out_ += "=\"";
        number(value);
        out_ += '"';
    }

    void paint(const DrawingLook& look, bool fillable) {
        attribute("fill", fillable && look.filled ? look.fillColor : "none");
        attribute("stroke", look.outline ? look.lineColor : "none");
        if (look.outline) {
            attribute("stroke-width", look.lineWeight);
        }
    }

    void shapeElement(const SvgShape& shape) {
        const bool invisible = shape.kind() == MasterKind::Rectangle && !shape.look().outline &&
                               !shape.look().filled && shape.text().empty();
        if (invisible) {
            return;  // a blank cell in the style "None": nothing to see or click
        }
        const SvgHyperlink* link = shape.link();
        if (link != nullptr) {
            out_ += "<a";
            attribute("xlink:href", link->address());
            if (!link->clickHandler().empty()) {
                attribute("onclick", link->clickHandler());
            }
            out_ += "><title>";
            AppendEscapedMarkup(out_, link->description());
            out_ += "</title>";
        }
        if (shape.kind() == MasterKind::Line) {
            lineElement(shape);
        } else {
            rectangleElement(shape);
        }
        if (link != nullptr) {
            out_ += "</a>";
        }
        out_ += '\n';
    }

    void lineElement(const SvgShape& shape) {
        out_ += "<line";
        attribute("x1", x(shape.cell(ShapeCell::BeginX)));
        attribute("y1", y(shape.cell(ShapeCell::BeginY)));
        attribute("x2", x(shape.cell(ShapeCell::EndX)));
        attribute("y2", y(shape.cell(ShapeCell::EndY)));
        paint(shape.look(), false);
        out_ += "/>";
    }

    void rectangleElement(const SvgShape& shape) {
        const double w = std::abs(shape.cell(ShapeCell::Width)) * kPointsPerInch;
        const double h = std::abs(shape.cell(ShapeCell::Height)) * kPointsPerInch;
        out_ += "<g transform=\"translate(";
        number(x(shape.cell(ShapeCell::PinX)));
        out_ += ' ';
        number(y(shape.cell(ShapeCell::PinY)));
        out_ += ')';
        if (const double angle = shape.cell(ShapeCell::Angle); angle != 0) {
            // The page turns counter-clockwise with y up; SVG's y runs down.
            out_ += " rotate(";
            number(-angle * 180 / std::numbers::pi);
            out_ += ')';
        }
        out_ += "\">";
        // A shortened text shows whole as the shape's tool tip.
        const DrawingTextLayout text = shape.textLayout();
        if (text.shortened) {
            out_ += "<title>";
            AppendEscapedMarkup(out_, shape.text());
            out_ += "</title>";
        }
        const DrawingLook& look = shape.look();
        if (look.outline || look.filled) {
            out_ += "<rect";
            attribute("x", -w / 2);
            attribute("y", -h / 2);
            attribute("width", w);
            attribute("height", h);
            paint(look, true);
            out_ += "/>";
        }
        textElements(text, w, h);
        out_ += "</g>";
    }

    // The lines of a shape's text, in the shape's frame around its pin.
    void textElements(const DrawingTextLayout& text, double w, double h) {
        if (text.lines.empty()) {
            return;
        }
        // A centred or right-aligned line is anchored at its middle or end, so that a renderer's
        // rounding of its width keeps it inside all the same.
        const int align = text.horizontalAlign;
        out_ += "<g";
        attribute("font-size", text.points);
        attribute("fill", layout_.textColor);
        attribute("text-anchor", align == 0 ? "start" : align == 2 ? "end" : "middle");
        out_ += '>';
        for (const DrawingTextLine& line : text.lines) {
            const double anchor = align == 0   ? line.left
                                  : align == 2 ? line.left + line.width
                                               : line.left + line.width / 2;
            out_ += "<text";
            attribute("x", -w / 2 + anchor);
            attribute("y", -h / 2 + line.baseline);
            out_ += '>';
            AppendEscapedMarkup(out_, line.text);
            out_ += "</text>";
        }
        out_ += "</g>";
    }

    const SvgDrawingPage& page_;
    const DrawingTemplate& layout_;
    std::string out_;
};

}  // namespace

std::string SvgElement(const SvgDrawingPage& page) {
    return SvgBuilder(page).build();
}

std::string SvgDocument(const SvgDrawingPage& page) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgElement(page);
}

}  // namespace vrn
