#include "model/reports/report_printer.h"

#include <algorithm>

namespace vrn {

namespace {

// Calls `onLine(line)` for each line of `text` and `onBreak()` between them.
template <class OnLine, class OnBreak>
void forEachLine(std::string_view text, OnLine onLine, OnBreak onBreak) {
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", start);
        onLine(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) {
            return;
        }
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') {
            ++start;
        }
        onBreak();
    }
}

}  // namespace

void ReportPrinter::setOrientation(PageOrientation value) {
    if (value != orientation_) {
        orientation_ = value;
        changeOrientation(value);
    }
}

double ReportPrinter::TextWidth(std::string_view text) const {
    double widest = 0;
    forEachLine(
        text, [&](std::string_view line) { widest = std::max(widest, measureWidth(font_, line)); },
        [] {});
    return widest;
}

double ReportPrinter::TextHeight(std::string_view text) const {
    int lines = 1;
    forEachLine(
        text, [](std::string_view) {}, [&] { ++lines; });
    return lines * lineHeight(font_);
}

void ReportPrinter::Print(std::string_view text, bool endLine) {
    const auto newLine = [this] {
        x_ = 0;
        y_ += lineHeight(font_);
    };
    forEachLine(
        text,
        [&](std::string_view line) {
            if (!line.empty()) {
                drawText(font_, x_, y_, line);
                x_ += measureWidth(font_, line);
            }
        },
        newLine);
    if (endLine) {
        newLine();
    }
}

void ReportPrinter::DrawBox(double x1, double y1, double x2, double y2) {
    drawBox(x1, y1, x2, y2);
}

void ReportPrinter::PaintPicture(const ReportPicture& picture, double x, double y, double width,
                                 double height) {
    drawPicture(picture, x, y, width, height);
}

void ReportPrinter::NewPage() {
    startNextPage();
    ++page_;
    x_ = 0;
    y_ = 0;
}

void ReportPrinter::EndDoc() {
    endDocument();
    page_ = 1;
    x_ = 0;
    y_ = 0;
}

}  // namespace vrn
