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

// Where the UTF-8 character after the one at `at` starts.
std::size_t nextCharacter(std::string_view text, std::size_t at) {
    do {
        ++at;
    } while (at < text.size() && !startsCharacter(text[at]));
    return at;
}

// Where the UTF-8 character that holds the byte at `at` starts.
std::size_t characterStart(std::string_view text, std::size_t at) {
    while (at > 0 && at < text.size() && !startsCharacter(text[at])) {
        --at;
    }
    return at;
}

// Where the `count`th UTF-8 character after the one at `from` starts, or the end of `text`.
std::size_t advanceCharacters(std::string_view text, std::size_t from, std::size_t count) {
    for (; count > 0 && from < text.size(); --count) {
        from = nextCharacter(text, from);
    }
    return from;
}

// Most texts of a report are shorter than this and the first guess measures them whole.
constexpr std::size_t kFirstProbeCharacters = 128;

// The end of the longest prefix of `text`, in whole characters, that `fits(end)` accepts; 0 when
// not even the first character fits. A prefix is never narrower than a shorter one: the search
// doubles the prefix until it no longer fits, then halves the gap. So no prefix it measures is
// longer than twice what fits on the line (or the first guess), however long the text is.
template <class Fits>
std::size_t longestFittingPrefix(std::string_view text, Fits fits) {
    std::size_t fitsEnd = 0;
    std::size_t fitsCharacters = 0;
    std::size_t tooLong = 0;
    for (std::size_t step = kFirstProbeCharacters;; step = fitsCharacters) {
        const std::size_t end = advanceCharacters(text, fitsEnd, step);
        if (end == fitsEnd) {
            return fitsEnd;  // an empty text
        }
        if (!fits(end)) {
            tooLong = end;
            break;
        }
        if (end == text.size()) {
            return end;
        }
        fitsEnd = end;
        fitsCharacters += step;
    }
    for (;;) {
        std::size_t middle = characterStart(text, fitsEnd + (tooLong - fitsEnd) / 2);
        if (middle <= fitsEnd) {
            middle = nextCharacter(text, fitsEnd);
            if (middle >= tooLong) {
                return fitsEnd;
            }
        }
        (fits(middle) ? fitsEnd : tooLong) = middle;
    }
}

// Calls `onLine` for each line of `text` between its line breaks (CR LF, LF or CR), until it
// returns false.
template <class OnLine>
void forEachHardLine(std::string_view text, OnLine onLine) {
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n");
        if (!onLine(text.substr(0, end)) || end == std::string_view::npos) {
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
    const double lineHeight = printer_.TextHeight({});
    const double insetTop = kTextInsetYPerPoint * size;
    const double insetBottom = (kBoxHeightPerPoint - kTextInsetYPerPoint) * size;
    const double footerTop = printer_.ScaleHeight() - kFooterFromBottom;
    const double x1 = std::round(left);
    const double x2 = std::round(left + widest + kBoxWidthPerPoint * size);
    double y1 = std::round(printer_.CurrentY());
    const double top = printer_.CurrentY();

    printer_.setCurrentY(top + insetTop);
    for (std::size_t line = 0; line < lines_.size(); ++line) {
        // A block taller than a page is boxed a page at a time, never into the footer.
        if (line > 0 && printer_.CurrentY() + lineHeight + insetBottom > footerTop) {
            printer_.DrawBox(x1, y1, x2, std::round(printer_.CurrentY() + insetBottom));
            Print_Page_Footer(footer, true);
            y1 = std::round(printer_.CurrentY());
            printer_.setCurrentY(printer_.CurrentY() + insetTop);
        }
        printer_.setCurrentX(left + kTextInsetXPerPoint * size);
        printer_.Print(lines_[line]);
    }
    const double y2 = std::round(printer_.CurrentY() + insetBottom);
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
    const double lineHeight = printer_.TextHeight({});
    const double height = static_cast<double>(lines_.size()) * lineHeight;
    if (printer_.CurrentY() > printer_.ScaleHeight() - (height + kBottomZone)) {
        Print_Page_Footer(footer, true);
    }
    for (const std::string_view line : lines_) {
        // Only a segment taller than a whole page gets here: it goes on over the next pages.
        if (printer_.CurrentY() + lineHeight > bottomLimit()) {
            Print_Page_Footer(footer, true);
        }
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
    if (isPrintedText(heading)) {
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
    const auto fittingHere = [&] {
        return longestFittingPrefix(word, [&](std::size_t end) {
            return printer_.CurrentX() + printer_.TextWidth(word.substr(0, end)) <= rightLimit();
        });
    };
    std::size_t fits = fittingHere();
    if (fits < word.size() && printer_.CurrentX() > left) {
        wrappedNewLine(left, footer);
        fits = fittingHere();
    }
    while (fits < word.size()) {
        const std::size_t piece = std::max(fits, nextCharacter(word, 0));
        if (piece == word.size()) {
            break;
        }
        printer_.Print(word.substr(0, piece), false);
        word.remove_prefix(piece);
        wrappedNewLine(left, footer);
        fits = fittingHere();
    }
    printer_.Print(word, false);
}

// The lines `text` prints as, none wider than `width` where it can be helped: the text's own
// lines, each broken at the last blank that lets it fit, or inside a word wider than a line.
// Each line is measured from where the one before it ended, and no further than it can reach;
// the lines after the first `mostLines` are not looked for.
void PrinterPageOutput::fitLines(std::string_view text, double width,
                                 std::vector<std::string_view>& lines,
                                 std::size_t mostLines) const {
    lines.clear();
    forEachHardLine(text, [&](std::string_view line) {
        while (lines.size() < mostLines) {
            const std::size_t fits = longestFittingPrefix(line, [&](std::size_t end) {
                return printer_.TextWidth(line.substr(0, end)) <= width;
            });
            if (fits == line.size()) {
                lines.push_back(line);
                break;
            }
            // A blank that starts the line is no place to break it.
            std::size_t cut = line.rfind(' ', fits);
            std::size_t next = cut;
            if (cut == 0 || cut == std::string_view::npos) {
                cut = next = std::max(fits, nextCharacter(line, 0));
            }
            while (next < line.size() && line[next] == ' ') {
                ++next;
            }
            lines.push_back(line.substr(0, cut));
            line.remove_prefix(next);
            if (line.empty()) {
                break;
            }
        }
        return lines.size() < mostLines;
    });
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
    if (isPrintedText(text)) {
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

    if (isPrintedText(footer)) {
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
// ellipsis when the footer needs more. Every page fits only the lines that show and one more.
void PrinterPageOutput::printFooterLines(const std::string& footer) {
    const double width = rightLimit() - kMargin;
    fitLines(footer, width, footerLines_, kFooterLines + 1);
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
