#include "model/reports/drawing_text.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/reports/ellipsis.h"

namespace vrn {

namespace {

// As the matrix window: a text that does not fit may shrink this many points, one at a time, but
// not below the smallest size that is still readable.
constexpr int kShrinkSteps = 2;
constexpr double kSmallestPoints = 6;
// Sums of measures may round a hair over a room they fill exactly.
constexpr double kTolerance = 1e-6;

using Words = std::vector<std::string_view>;

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The words of each line of `text`; blank lines at the end take no room.
std::vector<Words> SplitParagraphs(std::string_view text) {
    std::vector<Words> paragraphs(1);
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const bool end = i == text.size();
        if (end || IsSpace(text[i]) || text[i] == '\n') {
            if (i > start) {
                paragraphs.back().push_back(text.substr(start, i - start));
            }
            start = i + 1;
            if (!end && text[i] == '\n') {
                paragraphs.emplace_back();
            }
        }
    }
    while (!paragraphs.empty() && paragraphs.back().empty()) {
        paragraphs.pop_back();
    }
    return paragraphs;
}

std::string Joined(Words::const_iterator first, Words::const_iterator last) {
    std::string line;
    for (auto word = first; word != last; ++word) {
        if (!line.empty()) {
            line += ' ';
        }
        line.append(*word);
    }
    return line;
}

// A wrapped line: the words [first, end) of one paragraph.
struct WrappedLine {
    std::size_t paragraph = 0;
    std::size_t first = 0;
    std::size_t end = 0;
};

class TextLayouter {
public:
    TextLayouter(const DrawingTextMeasure& measure, std::string_view text)
        : measure_(measure), paragraphs_(SplitParagraphs(text)) {}

    bool empty() const { return paragraphs_.empty(); }

    double lineHeight(double points) const {
        return measure_.Ascent(points) + measure_.Descent(points);
    }

    bool fits(std::string_view line, double room, double points) const {
        return measure_.Width(line, points) <= room + kTolerance;
    }

    // Greedy wrapping at spaces; `overflows` tells whether a word alone is wider than `room`.
    std::vector<WrappedLine> wrap(double room, double points, bool& overflows) const {
        std::vector<WrappedLine> lines;
        overflows = false;
        for (std::size_t p = 0; p < paragraphs_.size(); ++p) {
            const Words& words = paragraphs_[p];
            std::size_t first = 0;
            for (std::size_t i = 1; i <= words.size(); ++i) {
                const bool last = i == words.size();
                if (last ||
                    !fits(Joined(words.begin() + first, words.begin() + i + 1), room, points)) {
                    overflows = overflows || (i - first == 1 && !fits(words[first], room, points));
                    lines.push_back({p, first, i});
                    first = i;
                }
            }
            if (words.empty()) {
                lines.push_back({p, 0, 0});
            }
        }
        return lines;
    }

    std::string text(const WrappedLine& line) const {
        const Words& words = paragraphs_[line.paragraph];
        return Joined(words.begin() + line.first, words.begin() + line.end);
    }

    // Everything from `line` on, on one line.
    std::string rest(const WrappedLine& line) const {
        Words words(paragraphs_[line.paragraph].begin() + line.first,
                    paragraphs_[line.paragraph].end());
        for (std::size_t p = line.paragraph + 1; p < paragraphs_.size(); ++p) {
            words.insert(words.end(), paragraphs_[p].begin(), paragraphs_[p].end());
        }
        return Joined(words.begin(), words.end());
    }

    // `line` as it fits `room`: whole, or its longest start that fits with "…" after it, or
    // nothing when not even "…" fits.
    std::string elided(const std::string& line, double room, double points) const {
        if (fits(line, room, points)) {
            return line;
        }
        std::vector<std::size_t> starts;  // where each character begins
        for (std::size_t i = 0; i < line.size(); ++i) {
            if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) {
                starts.push_back(i);
            }
        }
        const auto withEllipsis = [&line, &starts](std::size_t characters) {
            std::string shown = line.substr(0, starts[characters]);
            while (!shown.empty() && IsSpace(shown.back())) {
                shown.pop_back();
            }
            return shown.append(kEllipsis);
        };
        if (starts.empty() || !fits(withEllipsis(0), room, points)) {
            return {};
        }
        std::size_t good = 0;
        std::size_t bad = starts.size();
        while (bad - good > 1) {
            const std::size_t middle = good + (bad - good) / 2;
            (fits(withEllipsis(middle), room, points) ? good : bad) = middle;
        }
        return withEllipsis(good);
    }

    // `texts` stacked in the frame's room as its alignment says.
    DrawingTextLayout placed(const std::vector<std::string>& texts, const DrawingTextFrame& frame,
                             double points, bool shortened) const {
        DrawingTextLayout layout{.points = points,
                                 .ascent = measure_.Ascent(points),
                                 .descent = measure_.Descent(points),
                                 .horizontalAlign = frame.horizontalAlign,
                                 .lines = {},
                                 .shortened = shortened};
        const double step = layout.ascent + layout.descent;
        const double block = step * static_cast<double>(texts.size());
        const double roomWidth = frame.width - frame.leftMargin - frame.rightMargin;
        const double roomHeight = frame.height - frame.topMargin - frame.bottomMargin;
        double top = frame.topMargin + std::max(0.0, roomHeight - block) / 2;
        if (frame.verticalAlign == 0) {
            top = frame.topMargin;
        } else if (frame.verticalAlign == 2) {
            top = std::max(0.0, frame.height - frame.bottomMargin - block);
        }
        for (std::size_t i = 0; i < texts.size(); ++i) {
            if (texts[i].empty()) {
                continue;
            }
            const double width = measure_.Width(texts[i], points);
            double left = frame.leftMargin + (roomWidth - width) / 2;
            if (frame.horizontalAlign == 0) {
                left = frame.leftMargin;
            } else if (frame.horizontalAlign == 2) {
                left = frame.width - frame.rightMargin - width;
            }
            layout.lines.push_back({texts[i], std::max(0.0, left),
                                    top + step * static_cast<double>(i) + layout.ascent, width});
        }
        return layout;
    }

private:
    const DrawingTextMeasure& measure_;
    std::vector<Words> paragraphs_;
};

// Takes from margins `a` and `b` alike until they leave at least `needed` of `length`.
void GiveWay(double& a, double& b, double length, double needed) {
    const double spare = std::max(0.0, length - needed);
    if (a + b > spare) {
        const double share = a + b > 0 ? spare / (a + b) : 0;
        a *= share;
        b *= share;
    }
}

}  // namespace

DrawingTextLayout LayOutDrawingText(const DrawingTextMeasure& measure, std::string_view text,
                                    const DrawingTextFrame& frame, double points) {
    const TextLayouter layouter(measure, text);
    if (layouter.empty() || frame.width <= 0 || frame.height <= 0) {
        return layouter.placed({}, frame, points, false);
    }
    DrawingTextFrame room = frame;
    GiveWay(room.topMargin, room.bottomMargin, room.height, layouter.lineHeight(points));
    GiveWay(room.leftMargin, room.rightMargin, room.width, points);
    const double roomWidth = room.width - room.leftMargin - room.rightMargin;
    const double roomHeight = room.height - room.topMargin - room.bottomMargin;

    double size = points;
    std::vector<WrappedLine> lines;
    for (int step = 0; step <= kShrinkSteps; ++step) {
        if (step > 0 && points - step < kSmallestPoints) {
            break;
        }
        size = points - step;
        bool overflows = false;
        lines = layouter.wrap(roomWidth, size, overflows);
        const double height = layouter.lineHeight(size) * static_cast<double>(lines.size());
        if (!overflows && height <= roomHeight + kTolerance) {
            std::vector<std::string> texts;
            for (const WrappedLine& line : lines) {
                texts.push_back(layouter.text(line));
            }
            return layouter.placed(texts, room, size, false);
        }
    }
    // As many lines as there is room for, the last holding the rest of the text.
    const auto kept =
        std::min(lines.size(), static_cast<std::size_t>(std::floor((roomHeight + kTolerance) /
                                                                   layouter.lineHeight(size))));
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < kept; ++i) {
        const bool last = i + 1 == kept && kept < lines.size();
        texts.push_back(layouter.elided(last ? layouter.rest(lines[i]) : layouter.text(lines[i]),
                                        roomWidth, size));
    }
    return layouter.placed(texts, room, size, true);
}

}  // namespace vrn
