#include "model/reports/printed_report_pages.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "model/reports/printed_report_text.h"

namespace vrn {

namespace {

// The box around a block is 16 twips a point wider and 12 taller than its text; the text sits
// 8 and 6 twips a point inside.
constexpr double kBoxWidthPerPoint = 16;
constexpr double kBoxHeightPerPoint = 12;
constexpr double kTextInsetXPerPoint = 8;
constexpr double kTextInsetYPerPoint = 6;
constexpr double kBlockSpacingPoints = 8;
constexpr double kBlockPageReserve = 1500;
constexpr double kGapAfterBlock = 50;
constexpr double kRuleTop = 30;
constexpr double kRuleBottom = 60;
constexpr double kGapAfterRule = 100;
constexpr int kTabColumns = 10;
constexpr double kPictureFraction = 0.9;
constexpr double kPercentScaleDivisor = 100.1;

bool isSeparator(char c) {
    return static_cast<unsigned char>(c) <= static_cast<unsigned char>(' ');
}

}  // namespace

void PrinterPageOutput::Printer_Setup() {
    printer_.Print();
    Print_Font_Name = "Arial";
    printer_.setFontName(Print_Font_Name);
    Print_Indent_Step = kIndentStep;
    printer_.setCurrentY(kMargin);
}

void PrinterPageOutput::Print_Block(const std::string& text, double size, int indent, bool bold,
                                    const std::string& footer, bool rule) {
    printer_.setFontSize(kBlockSpacingPoints);
    printer_.Print();
    if (printer_.CurrentY() >
        printer_.ScaleHeight() -
            (printer_.TextHeight(text) + kBoxWidthPerPoint * size + kBlockPageReserve)) {
        Print_Page_Footer(footer, true);
    }
    printer_.setFontName(Print_Font_Name);
    printer_.setFontSize(size);
    printer_.setFontBold(bold);
    printer_.setCurrentX(indentX(indent));

    const double x1 = std::round(printer_.CurrentX());
    const double y1 = std::round(printer_.CurrentY());
    const double x2 =
        std::round(printer_.CurrentX() + printer_.TextWidth(text) + kBoxWidthPerPoint * size);
    const double y2 =
        std::round(printer_.CurrentY() + printer_.TextHeight(text) + kBoxHeightPerPoint * size);

    printer_.setCurrentX(printer_.CurrentX() + kTextInsetXPerPoint * size);
    printer_.setCurrentY(printer_.CurrentY() + kTextInsetYPerPoint * size);
    printer_.Print(text);
    printer_.DrawBox(x1, y1, x2, y2);

    printer_.setCurrentX(kMargin);
    if (rule) {
        printer_.DrawBox(x1, y2 + kRuleTop, rightLimit(), y2 + kRuleBottom);
        printer_.setCurrentY(y2 + kGapAfterRule);
    } else {
        printer_.setCurrentY(y2 + kGapAfterBlock);
    }
}

void PrinterPageOutput::Print_Segment(const std::string& text, int indent, double size, bool bold,
                                      const std::string& footer) {
    printer_.setFontSize(size);
    printer_.setFontBold(bold);
    if (printer_.CurrentY() > printer_.ScaleHeight() - (printer_.TextHeight(text) + kBottomZone)) {
        Print_Page_Footer(footer, true);
    }
    printer_.setCurrentX(indentX(indent));
    printer_.Print(text);
}

void PrinterPageOutput::Print_Wrapped(const std::string& text, int indent, double size, bool bold,
                                      const std::string& heading, const std::string& footer) {
    printer_.setFontName(Print_Font_Name);
    printer_.setFontSize(size);
    printer_.setFontBold(bold);
    const double left = indentX(indent);
    printer_.setCurrentX(left);
    if (characterCount(heading) > 2) {
        Print_Line(heading);
        printer_.setCurrentX(left);
    }

    // Ends the line, breaking the page when the next line would run into the footer zone.
    const auto newLine = [&] {
        printer_.Print();
        if (printer_.CurrentY() > bottomLimit()) {
            Print_Page_Footer(footer, true);
        }
        printer_.setCurrentX(left);
    };

    const std::string_view rest = text;
    std::size_t p = 0;
    while (p < rest.size()) {
        const std::size_t wordStart = p;
        while (p < rest.size() && !isSeparator(rest[p])) {
            ++p;
        }
        const std::string_view word = rest.substr(wordStart, p - wordStart);
        if (printer_.CurrentX() + printer_.TextWidth(word) > rightLimit()) {
            newLine();
        }
        printer_.Print(word, false);

        for (; p < rest.size() && isSeparator(rest[p]); ++p) {
            switch (rest[p]) {
                case ' ':
                    printer_.Print(" ", false);
                    break;
                case '\n':
                    // Like a wrapped word: a line that would end in the footer zone goes on
                    // the next page.
                    newLine();
                    break;
                case '\t':
                    moveToNextTabStop();
                    break;
                default:
                    break;
            }
        }
    }
    printer_.setCurrentY(printer_.CurrentY() + kWrappedTextGap);
}

void PrinterPageOutput::moveToNextTabStop() {
    const double digitWidth = printer_.TextWidth("0");
    if (digitWidth <= 0) {
        return;
    }
    const auto column =
        static_cast<long>(std::nearbyint((printer_.CurrentX() - kMargin) / digitWidth));
    const long stop = column - (column % kTabColumns) + kTabColumns;
    printer_.setCurrentX(kMargin + digitWidth * static_cast<double>(stop));
}

void PrinterPageOutput::Print_Line(const std::string& text) {
    if (characterCount(text) >= kShortestPrintedText) {
        printer_.Print();
        printer_.setCurrentX((printer_.ScaleWidth() - printer_.TextWidth(text)) / 2);
        printer_.Print(text);
    }
    printer_.Print();
}

void PrinterPageOutput::Print_Page_Footer(const std::string& footer, bool newPage) {
    printer_.Print();
    const double keptSize = std::round(printer_.FontSize());
    const bool keptBold = printer_.FontBold();
    printer_.setFontSize(kFooterPoints);

    if (characterCount(footer) >= kShortestPrintedText) {
        printer_.setCurrentY(printer_.ScaleHeight() - kFooterFromBottom);
        printer_.setCurrentX(printer_.ScaleWidth() / 2 - printer_.TextWidth(footer) / 2);
        printer_.Print(footer);
    }
    const double keptY = printer_.CurrentY();

    printer_.setCurrentX(kMargin);
    printer_.Print(printer_.ShortDateText());

    printer_.setCurrentY(keptY);
    const std::string pageText = "Page: " + std::to_string(printer_.Page());
    printer_.setCurrentX(rightLimit() - printer_.TextWidth(pageText));
    printer_.Print(pageText);

    if (newPage) {
        printer_.NewPage();
        printer_.setCurrentY(kMargin);
    }
    printer_.setFontSize(keptSize);
    printer_.setFontBold(keptBold);
}

void PrinterPageOutput::Print_Picture_To_Page(const ReportPicture& picture, bool fitOrientation,
                                              std::optional<double> scale,
                                              const std::string& footer) {
    if (picture.Empty()) {
        throw PrinterError("There is no picture to print.");
    }
    const bool wide = picture.Width > picture.Height;
    printer_.setOrientation(fitOrientation && wide ? PageOrientation::Landscape
                                                   : PageOrientation::Portrait);

    const double fraction = scale ? *scale / kPercentScaleDivisor : kPictureFraction;
    const double pageWidth = printer_.ScaleWidth();
    const double pageHeight = printer_.ScaleHeight();
    const double factor =
        std::min(pageWidth * fraction / picture.Width, pageHeight * fraction / picture.Height);
    const double width = picture.Width * factor;
    const double height = picture.Height * factor;
    printer_.PaintPicture(picture, (pageWidth - width) / 2, (pageHeight - height) / 2, width,
                          height);
    Print_Page_Footer(footer, true);
}

void PrinterPageOutput::EndDoc() {
    printer_.EndDoc();
}

}  // namespace vrn
