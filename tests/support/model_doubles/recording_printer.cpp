#include "tests/support/model_doubles/recording_printer.h"

#include <utility>

#include "model/reports/printed_report_text.h"

namespace vrn::testing {

double RecordingPrinter::pageWidth() const {
    return Orientation() == PageOrientation::Portrait ? width_ : height_;
}

double RecordingPrinter::pageHeight() const {
    return Orientation() == PageOrientation::Portrait ? height_ : width_;
}

double RecordingPrinter::measureWidth(const PrinterFont& font, std::string_view line) const {
    return static_cast<double>(characterCount(line)) * font.Size * kCharWidthPerPoint;
}

double RecordingPrinter::lineHeight(const PrinterFont& font) const {
    return font.Size * kLineHeightPerPoint;
}

void RecordingPrinter::drawText(const PrinterFont& font, double x, double y,
                                std::string_view line) {
    if (failOn_ && line.find(*failOn_) != std::string_view::npos) {
        failOn_.reset();
        throw PrinterError("The printer stopped.");
    }
    texts_.push_back({Page(), x, y, std::string(line), font});
}

void RecordingPrinter::drawBox(double x1, double y1, double x2, double y2) {
    boxes_.push_back({Page(), x1, y1, x2, y2});
}

void RecordingPrinter::drawPicture(const ReportPicture&, double x, double y, double width,
                                   double height) {
    pictures_.push_back({Page(), x, y, width, height, Orientation()});
}

void RecordingPrinter::endDocument() {
    if (std::exchange(failEndDoc_, false)) {
        throw PrinterError("The printer is out of paper.");
    }
    ++jobsEnded_;
}

std::vector<std::string> RecordingPrinter::textStrings() const {
    std::vector<std::string> strings;
    strings.reserve(texts_.size());
    for (const auto& text : texts_) {
        strings.push_back(text.text);
    }
    return strings;
}

std::optional<RecordingPrinter::Text> RecordingPrinter::find(const std::string& text) const {
    for (const auto& drawn : texts_) {
        if (drawn.text == text) {
            return drawn;
        }
    }
    return std::nullopt;
}

}  // namespace vrn::testing
