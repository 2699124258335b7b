#include "platform/svg_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "platform/drawing_svg_page.h"
#include "platform/svg_markup.h"

namespace vrn {

namespace {

constexpr double kPointsPerInch = 72;
// Room between a shape's outline and its text, in points.
constexpr double kTextMargin = 4;
// A rough average glyph width and a line's height, as fractions of the font size.
constexpr double kAverageGlyphWidth = 0.55;
constexpr double kLineHeight = 1.2;
constexpr double kAscent = 0.9;

std::size_t CodePoints(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// The byte length of the first `count` characters of `text`.
std::size_t PrefixBytes(std::string_view text, std::size_t count) {
    std::size_t i = 0;
    for (std::size_t seen = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && seen++ == count) {
            break;
        }
    }
    return i;
}

void WrapParagraph(std::string_view paragraph, std::size_t maxChars,
                   std::vector<std::string>& lines) {
    while (CodePoints(paragraph) > maxChars) {
        const std::size_t limit = PrefixBytes(paragraph, maxChars);
        std::size_t cut = paragraph.substr(0, limit + 1).rfind(' ');
        if (cut == std::string_view::npos || cut == 0) {
            // A word longer than the line stands whole and overflows, as in a word processor.
            cut = paragraph.find(' ', limit);
            if (cut == std::string_view::npos) {
                break;
            }
        }
        lines.emplace_back(paragraph.substr(0, cut));
        paragraph.remove_prefix(cut);
        while (!paragraph.empty() && paragraph.front() == ' ') {
            paragraph.remove_prefix(1);
        }
    }
    lines.emplace_back(paragraph);
}

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
        textElements(shape, w, h);
        out_ += "</g>";
    }

    void textElements(const SvgShape& shape, double w, double h) {
        if (shape.text().empty()) {
            return;
        }
        const double size = layout_.fontSize;
        const double room = std::max(w - 2 * kTextMargin, size);
        const auto maxChars =
            std::max<std::size_t>(1, static_cast<std::size_t>(room / (size * kAverageGlyphWidth)));
        const auto lines = WrapText(shape.text(), maxChars);
        const double blockHeight = static_cast<double>(lines.size()) * size * kLineHeight;
        const double topMargin = shape.cell(ShapeCell::TopMargin) * kPointsPerInch;
        const double upper = -h / 2 + topMargin;
        const double lower = h / 2 - kTextMargin;
        const double vertical = shape.cell(ShapeCell::VerticalAlign);
        const double blockTop = vertical < 0.5   ? upper
                                : vertical > 1.5 ? lower - blockHeight
                                                 : (upper + lower - blockHeight) / 2;
        const double horizontal = shape.cell(ShapeCell::ParaHorzAlign);
        const char* anchor = horizontal < 0.5 ? "start" : horizontal > 1.5 ? "end" : "middle";
        const double textX = horizontal < 0.5   ? -w / 2 + kTextMargin
                             : horizontal > 1.5 ? w / 2 - kTextMargin
                                                : 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].empty()) {
                continue;
            }
            out_ += "<text";
            attribute("x", textX);
            attribute("y", blockTop + (static_cast<double>(i) * kLineHeight + kAscent) * size);
            attribute("text-anchor", anchor);
            attribute("fill", layout_.textColor);
            out_ += '>';
            AppendEscapedMarkup(out_, lines[i]);
            out_ += "</text>";
        }
    }

    const SvgDrawingPage& page_;
    const DrawingTemplate& layout_;
    std::string out_;
};

}  // namespace

std::vector<std::string> WrapText(const std::string& text, std::size_t maxChars) {
    std::vector<std::string> lines;
    std::string_view rest(text);
    while (true) {
        const auto end = rest.find('\n');
        std::string_view paragraph = rest.substr(0, end);
        if (!paragraph.empty() && paragraph.back() == '\r') {
            paragraph.remove_suffix(1);
        }
        WrapParagraph(paragraph, std::max<std::size_t>(maxChars, 1), lines);
        if (end == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    return lines;
}

std::string SvgElement(const SvgDrawingPage& page) {
    return SvgBuilder(page).build();
}

std::string SvgDocument(const SvgDrawingPage& page) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgElement(page);
}

}  // namespace vrn
