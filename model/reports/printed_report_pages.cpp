#include "model/reports/printed_report_pages.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "model/reports/ellipsis.h"
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

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U;
}

// Where the UTF-8 character after the one at `at` starts.
std::size_t nextCharacter(std::string_view text, std::size_t at) {
    do {
        ++at;
    } while (at < text.size() && isContinuationByte(text[at]));
    return at;
}

// Where the UTF-8 character that holds the byte at `at` starts.
std::size_t characterStart(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && isContinuationByte(text[at])) {
        --at;
    }
    return at;
}

// Calls `onLine` for each line of `text` between its line breaks (CR LF, LF or CR).
template <class OnLine>
void forEachHardLine(std::string_view text, OnLine onLine) {
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n");
        onLine(text.substr(0, end));
        if (end == std::string_view::npos) {
            return;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
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
    const double spacingLineHeight = printer_.TextHeight({});
    printer_.setFontName(Print_Font_Name);
    printer_.setFontSize(size);
    printer_.setFontBold(bold);
    const double left = indentX(indent);
    fitLines(text, rightLimit() - left - kBoxWidthPerPoint * size, lines_);
    if (printer_.CurrentY() >
        printer_.ScaleHeight() - (static_cast<double>(lines_.size()) * spacingLineHeight +
                                  kBoxWidthPerPoint * size + kBlockPageReserve)) {
        Print_Page_Footer(footer, true);
    }

    double widest = 0;
    for (const std::string_view line : lines_) {
        widest = std::max(widest, printer_.TextWidth(line));
    }
    const double height = static_cast<double>(lines_.size()) * printer_.TextHeight({});
    const double x1 = std::round(left);
    const double y1 = std::round(printer_.CurrentY());
    const double x2 = std::round(left + widest + kBoxWidthPerPoint * size);
    const double y2 = std::round(printer_.CurrentY() + height + kBoxHeightPerPoint * size);

    printer_.setCurrentY(printer_.CurrentY() + kTextInsetYPerPoint * size);
    for (const std::string_view line : lines_) {
        printer_.setCurrentX(left + kTextInsetXPerPoint * size);
        printer_.Print(line);
    }
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
    const double left = indentX(indent);
    fitLines(text, rightLimit() - left, lines_);
    const double height = static_cast<double>(lines_.size()) * printer_.TextHeight({});
    if (printer_.CurrentY() > printer_.ScaleHeight() - (height + kBottomZone)) {
        Print_Page_Footer(footer, true);
    }
    for (const std::string_view line : lines_) {
        printer_.setCurrentX(left);
        printer_.Print(line);
    }
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

    const std::string_view rest = text;
    std::size_t p = 0;
    while (p < rest.size()) {
        const std::size_t wordStart = p;
        while (p < rest.size() && !isSeparator(rest[p])) {
            ++p;
        }
        printWord(rest.substr(wordStart, p - wordStart), left, footer);

        for (; p < rest.size() && isSeparator(rest[p]); ++p) {
            switch (rest[p]) {
                case ' ':
                    printer_.Print(" ", false);
                    break;
                case '\n':
                    // Like a wrapped word: a line that would end in the footer zone goes on
                    // the next page.
                    wrappedNewLine(left, footer);
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

// Ends the line, breaking the page when the next line would run into the footer zone.
void PrinterPageOutput::wrappedNewLine(double left, const std::string& footer) {
    printer_.Print();
    if (printer_.CurrentY() > bottomLimit()) {
        Print_Page_Footer(footer, true);
    }
    printer_.setCurrentX(left);
}

// A word that does not fit on the line goes to the next one; a word wider than a whole line
// starts where it is and is broken at the right margin, as often as it takes.
void PrinterPageOutput::printWord(std::string_view word, double left, const std::string& footer) {
    if (printer_.CurrentX() + printer_.TextWidth(word) > rightLimit()) {
        if (printer_.CurrentX() > left) {
            wrappedNewLine(left, footer);
        }
        while (printer_.CurrentX() + printer_.TextWidth(word) > rightLimit()) {
            const std::size_t piece = fittingPrefix(word, rightLimit() - printer_.CurrentX());
            if (piece == word.size()) {
                break;
            }
            printer_.Print(word.substr(0, piece), false);
            word.remove_prefix(piece);
            wrappedNewLine(left, footer);
        }
    }
    printer_.Print(word, false);
}

// The lines `text` prints as, none wider than `width` where it can be helped: the text's own
// lines, each broken at the last blank that lets it fit, or inside a word wider than a line.
void PrinterPageOutput::fitLines(std::string_view text, double width,
                                 std::vector<std::string_view>& lines) const {
    lines.clear();
    forEachHardLine(text, [&](std::string_view line) {
        while (printer_.TextWidth(line) > width) {
            std::size_t cut = 0;
            for (std::size_t blank = line.find(' ', 1); blank != std::string_view::npos;
                 blank = line.find(' ', blank + 1)) {
                if (printer_.TextWidth(line.substr(0, blank)) > width) {
                    break;
                }
                cut = blank;
            }
            std::size_t next = cut;
            if (cut == 0) {
                cut = next = fittingPrefix(line, width);
            }
            while (next < line.size() && line[next] == ' ') {
                ++next;
            }
            lines.push_back(line.substr(0, cut));
            line.remove_prefix(next);
            if (line.empty()) {
                return;
            }
        }
        lines.push_back(line);
    });
}

// How many bytes of `text` fit into `width`: whole characters, at least one.
std::size_t PrinterPageOutput::fittingPrefix(std::string_view text, double width) const {
    if (printer_.TextWidth(text) <= width) {
        return text.size();
    }
    std::size_t fits = nextCharacter(text, 0);
    std::size_t tooLong = text.size();
    while (tooLong - fits > 1) {
        std::size_t middle = characterStart(text, fits + (tooLong - fits) / 2);
        if (middle <= fits) {
            middle = nextCharacter(text, fits);
            if (middle >= tooLong) {
                break;
            }
        }
        (printer_.TextWidth(text.substr(0, middle)) <= width ? fits : tooLong) = middle;
    }
    return fits;
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
        fitLines(text, rightLimit() - kMargin, lines_);
        for (const std::string_view line : lines_) {
            printer_.setCurrentX((printer_.ScaleWidth() - printer_.TextWidth(line)) / 2);
            printer_.Print(line);
        }
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
        printFooterLines(footer);
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

// The footer centred between the margins, on up to three lines; the last one shortened with an
// ellipsis when the footer needs more.
void PrinterPageOutput::printFooterLines(const std::string& footer) {
    const double width = rightLimit() - kMargin;
    fitLines(footer, width, footerLines_);
    if (footerLines_.size() > kFooterLines) {
        std::string_view last = footerLines_[kFooterLines - 1];
        footerLines_.resize(kFooterLines);
        shortenedFooter_.assign(last).append(kEllipsis);
        while (!last.empty() && printer_.TextWidth(shortenedFooter_) > width) {
            last = last.substr(0, characterStart(last, last.size() - 1));
            shortenedFooter_.assign(last).append(kEllipsis);
        }
        footerLines_.back() = shortenedFooter_;
    }
    for (const std::string_view line : footerLines_) {
        printer_.setCurrentX(printer_.ScaleWidth() / 2 - printer_.TextWidth(line) / 2);
        printer_.Print(line);
    }
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
