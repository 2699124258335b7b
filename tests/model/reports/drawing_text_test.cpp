#include "model/reports/drawing_text.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace vrn {
namespace {

// Every character half as wide as the text is high; a line is as high as the text's size.
class EvenMeasure : public DrawingTextMeasure {
public:
    double Width(std::string_view text, double points) const override {
        double characters = 0;
        for (const char c : text) {
            characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
        }
        return characters * points / 2;
    }
    double Ascent(double points) const override { return 0.75 * points; }
    double Descent(double points) const override { return 0.25 * points; }
};

constexpr char kEllipsis[] = "\xE2\x80\xA6";

std::vector<std::string> Texts(const DrawingTextLayout& layout) {
    std::vector<std::string> texts;
    for (const DrawingTextLine& line : layout.lines) {
        texts.push_back(line.text);
    }
    return texts;
}

// No margins, centred: at 8 points a character is 4 points wide and a line 8 points high.
DrawingTextFrame Frame(double width, double height) {
    return {.width = width, .height = height};
}

TEST(DrawingText, WrapsThenShrinksThenShortens) {
    struct Case {
        const char* text;
        DrawingTextFrame frame;
        double points;
        std::vector<std::string> lines;
        bool shortened;
    };
    const Case cases[] = {
        {"Annual budget", Frame(60, 10), 8, {"Annual budget"}, false},
        {"Annual budget", Frame(40, 20), 8, {"Annual", "budget"}, false},
        // Two lines of 8 points do not fit 15; at 7 they do.
        {"Annual budget", Frame(40, 15), 7, {"Annual", "budget"}, false},
        // Not even at 6: as many lines as fit, the last with the rest of the text.
        {"Quarterly reviews of every cost centre",
         Frame(40, 13),
         6,
         {"Quarterly", std::string("reviews of e") + kEllipsis},
         true},
        // A word too long for its line is shortened in place.
        {"Supercalifragilistic bonuses",
         Frame(30, 30),
         6,
         {std::string("Supercali") + kEllipsis, "bonuses"},
         true},
        // Line breaks start lines; runs of spaces and a closing break take no room.
        {"one  two\r\n\nthree\n", Frame(60, 30), 8, {"one two", "three"}, false},
        // A frame lower than the smallest line shows nothing.
        {"Planning", Frame(60, 5), 6, {}, true},
        {"", Frame(60, 30), 8, {}, false},
    };
    const EvenMeasure measure;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const DrawingTextLayout layout = LayOutDrawingText(measure, c.text, c.frame, 8);
        EXPECT_EQ(Texts(layout), c.lines);
        EXPECT_EQ(layout.points, c.points);
        EXPECT_EQ(layout.shortened, c.shortened);
    }
}

TEST(DrawingText, ShorteningNeverSplitsACharacter) {
    const EvenMeasure measure;
    // "é" is two bytes; at 6 points 14 points hold three characters and the ellipsis.
    const DrawingTextLayout layout =
        LayOutDrawingText(measure, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", Frame(14, 10), 8);
    EXPECT_EQ(Texts(layout),
              std::vector<std::string>{std::string("\xC3\xA9\xC3\xA9\xC3\xA9") + kEllipsis});
}

TEST(DrawingText, AlignmentAndMarginsPlaceTheLines) {
    const EvenMeasure measure;
    DrawingTextFrame frame{.width = 100,
                           .height = 40,
                           .leftMargin = 4,
                           .rightMargin = 6,
                           .topMargin = 8,
                           .bottomMargin = 2};
    struct Case {
        int horizontal;
        int vertical;
        double left;      // of the line "ab cd", 20 points wide
        double baseline;  // of its one line, 8 points high with an ascent of 6
    };
    for (const Case& c : {Case{0, 0, 4, 14}, Case{1, 1, 39, 25}, Case{2, 2, 74, 36}}) {
        frame.horizontalAlign = c.horizontal;
        frame.verticalAlign = c.vertical;
        const DrawingTextLayout layout = LayOutDrawingText(measure, "ab cd", frame, 8);
        ASSERT_EQ(layout.lines.size(), 1U);
        EXPECT_DOUBLE_EQ(layout.lines[0].left, c.left) << c.horizontal;
        EXPECT_DOUBLE_EQ(layout.lines[0].baseline, c.baseline) << c.vertical;
        EXPECT_DOUBLE_EQ(layout.lines[0].width, 20);
        EXPECT_EQ(layout.horizontalAlign, c.horizontal);
    }
}

TEST(DrawingText, MarginsGiveWayInAFrameTooLowForThemAndALine) {
    const EvenMeasure measure;
    // A legend label: 10 points high, 4 points of margin above and below.
    const DrawingTextFrame frame{.width = 100,
                                 .height = 10,
                                 .leftMargin = 4,
                                 .rightMargin = 4,
                                 .topMargin = 4,
                                 .bottomMargin = 4};
    const DrawingTextLayout layout = LayOutDrawingText(measure, "Reinforcing", frame, 8);
    ASSERT_EQ(layout.lines.size(), 1U);
    EXPECT_EQ(layout.points, 8);
    EXPECT_FALSE(layout.shortened);
    EXPECT_DOUBLE_EQ(layout.lines[0].baseline - layout.ascent, 1);
    EXPECT_DOUBLE_EQ(layout.lines[0].baseline + layout.descent, 9);
}

// Whatever the text and the frame, the lines lie inside the frame, one below the other.
TEST(DrawingText, EveryLineLiesInsideItsFrame) {
    const EvenMeasure measure;
    const std::string texts[] = {
        "Target Practices: Alternative 1",
        "Fulfilment",
        "Cross-functional teams responsible for a product family from order to delivery",
        "Supercalifragilisticexpialidocious",
        "a\nb\nc\nd\ne\nf",
    };
    for (const std::string& text : texts) {
        for (const double width : {6.0, 20.0, 28.8, 129.6, 300.0}) {
            for (const double height : {4.0, 13.7, 18.0, 28.8, 129.6}) {
                const DrawingTextFrame frame{.width = width,
                                             .height = height,
                                             .leftMargin = 4,
                                             .rightMargin = 4,
                                             .topMargin = 4,
                                             .bottomMargin = 4};
                const DrawingTextLayout layout = LayOutDrawingText(measure, text, frame, 8);
                SCOPED_TRACE(text + " in " + std::to_string(width) + " x " +
                             std::to_string(height));
                double above = 0;
                for (const DrawingTextLine& line : layout.lines) {
                    EXPECT_GE(line.left, 0);
                    EXPECT_LE(line.left + line.width, width + 1e-9);
                    EXPECT_GE(line.baseline - layout.ascent, above - 1e-9);
                    EXPECT_LE(line.baseline + layout.descent, height + 1e-9);
                    EXPECT_DOUBLE_EQ(line.width, measure.Width(line.text, layout.points));
                    above = line.baseline + layout.descent;
                }
                EXPECT_GE(layout.points, 6);
            }
        }
    }
}

}  // namespace
}  // namespace vrn
