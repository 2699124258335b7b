#include <algorithm>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "model/reports/printed_report_pages.h"
#include "model/reports/printed_report_text.h"
#include "tests/support/model_doubles/recording_printer.h"

namespace vrn::testing {
namespace {

// On the recording printer a character is 10 twips wide per point and a line 20 twips high per
// point; the Letter page is 12240 by 15840, so wrapped text ends at 11040 and the footer zone
// starts at 14340.
constexpr double kRightLimit = 11040;
constexpr double kFooterZone = 14340;

struct Drawn {
    int page;
    double x;
    double y;
    std::string text;
    bool operator==(const Drawn&) const = default;
};

void PrintTo(const Drawn& d, std::ostream* os) {
    *os << "p" << d.page << " (" << d.x << ", " << d.y << ") \"" << d.text << "\"";
}

// How wide a recorded text is in the font it was drawn in.
double widthOf(const RecordingPrinter::Text& text) {
    return static_cast<double>(characterCount(text.text)) * text.font.Size *
           RecordingPrinter::kCharWidthPerPoint;
}

std::string repeated(std::string_view piece, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

std::vector<Drawn> drawn(const RecordingPrinter& printer) {
    std::vector<Drawn> result;
    for (const auto& text : printer.texts()) {
        result.push_back({text.page, text.x, text.y, text.text});
    }
    return result;
}

// A fresh printer and its page output, set up for a report, at `y` on the first page.
struct SetUpPage {
    explicit SetUpPage(double y = 1200) {
        out.Printer_Setup();
        printer.setCurrentY(y);
    }
    RecordingPrinter printer;
    PrinterPageOutput out{printer};
};

class PageOutputTest : public ::testing::Test {
protected:
    void SetUp() override { pages.Printer_Setup(); }
    RecordingPrinter printer;
    PrinterPageOutput pages{printer};
};

TEST_F(PageOutputTest, SetupStartsAtTheTopMarginInArial) {
    EXPECT_EQ(printer.CurrentY(), 1200);
    EXPECT_EQ(printer.FontName(), "Arial");
    EXPECT_EQ(printer.Page(), 1);
}

TEST_F(PageOutputTest, BlockDrawsItsBoxAndRule) {
    pages.Print_Block("Hello", 16, 1, true, "foot", true);
    // 8-point spacing line first: 1200 + 160.
    const auto text = printer.find("Hello");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->x, 1750 + 8 * 16);
    EXPECT_EQ(text->y, 1360 + 6 * 16);
    EXPECT_EQ(text->font, (PrinterFont{"Arial", 16, true}));
    ASSERT_EQ(printer.boxes().size(), 2U);
    const auto& box = printer.boxes()[0];
    EXPECT_EQ(std::vector<double>({box.x1, box.y1, box.x2, box.y2}),
              std::vector<double>({1750, 1360, 1750 + 800 + 256, 1360 + 320 + 192}));
    const auto& rule = printer.boxes()[1];
    EXPECT_EQ(std::vector<double>({rule.x1, rule.y1, rule.x2, rule.y2}),
              std::vector<double>({1750, 1872 + 30, kRightLimit, 1872 + 60}));
    EXPECT_EQ(printer.CurrentX(), 1200);
    EXPECT_EQ(printer.CurrentY(), 1872 + 100);

    pages.Print_Block("Hello", 16, 1, true, "foot", false);
    EXPECT_EQ(printer.boxes().size(), 3U);
    EXPECT_EQ(printer.CurrentY(), printer.boxes()[2].y2 + 50);
}

TEST_F(PageOutputTest, ALineBreakInsideASegmentEndsTheLineThere) {
    printer.setCurrentY(2000);
    pages.Print_Segment("V 1\r\n", 1, 12, false, "");
    EXPECT_THAT(drawn(printer), ::testing::ElementsAre(Drawn{1, 1750, 2000, "V 1"}));
    EXPECT_EQ(printer.CurrentY(), 2000 + 2 * 240);
    EXPECT_EQ(printer.CurrentX(), 0);
}

TEST_F(PageOutputTest, PageBreakThresholds) {
    // Block of 16 points: breaks when y, after the 8-point spacing line, exceeds
    // 15840 - (160 + 16 * 16 + 1500) = 13924. Segment of 12 points: 15840 - (240 + 1500) = 14100.
    const struct {
        const char* name;
        double y;
        bool block;
        bool breaks;
    } cases[] = {
        {"block at the threshold", 13924 - 160, true, false},
        {"block one twip below", 13924 - 160 + 1, true, true},
        {"segment at the threshold", 14100, false, false},
        {"segment one twip below", 14101, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrinter fresh;
        PrinterPageOutput out(fresh);
        out.Printer_Setup();
        fresh.setCurrentY(c.y);
        if (c.block) {
            out.Print_Block("Hello", 16, 0, true, "foot", false);
        } else {
            out.Print_Segment("Hello", 0, 12, false, "foot");
        }
        const auto text = fresh.find("Hello");
        ASSERT_TRUE(text);
        EXPECT_EQ(fresh.pagesStarted(), c.breaks ? 1 : 0);
        EXPECT_EQ(text->page, c.breaks ? 2 : 1);
        if (c.breaks) {
            EXPECT_TRUE(fresh.find("foot"));  // the page that ended has its footer
            EXPECT_EQ(text->y, 1200 + (c.block ? 6 * 16 : 0));
        }
    }
}

TEST_F(PageOutputTest, WrappedText) {
    const std::string a41(41, 'a');
    const std::string b40(40, 'b');
    const std::string b41(41, 'b');
    const std::string w90(90, 'w');
    const struct {
        const char* name;
        std::string text;
        int indent;
        std::vector<Drawn> expected;
        double endY;
    } cases[] = {
        {"two words",
         "one two",
         0,
         {{1, 1200, 2000, "one"}, {1, 1560, 2000, " "}, {1, 1680, 2000, "two"}},
         2120},
        {"line break", "one\r\ntwo", 1, {{1, 1750, 2000, "one"}, {1, 1750, 2240, "two"}}, 2360},
        {"empty", "", 0, {}, 2120},
        {"leading blanks",
         "  a",
         0,
         {{1, 1200, 2000, " "}, {1, 1320, 2000, " "}, {1, 1440, 2000, "a"}},
         2120},
        {"ends exactly at the limit",
         a41 + " " + b40,
         0,
         {{1, 1200, 2000, a41}, {1, 6120, 2000, " "}, {1, 6240, 2000, b40}},
         2120},
        {"one character past the limit",
         a41 + " " + b41,
         0,
         {{1, 1200, 2000, a41}, {1, 6120, 2000, " "}, {1, 1200, 2240, b41}},
         2360},
        {"a word wider than the line is broken at the margin",
         w90 + " x",
         0,
         {{1, 1200, 2000, std::string(82, 'w')},
          {1, 1200, 2240, std::string(8, 'w')},
          {1, 2160, 2240, " "},
          {1, 2280, 2240, "x"}},
         2360},
        {"a word of two-byte characters is broken between characters",
         repeated("\xC3\xA9", 200),
         0,
         {{1, 1200, 2000, repeated("\xC3\xA9", 82)},
          {1, 1200, 2240, repeated("\xC3\xA9", 82)},
          {1, 1200, 2480, repeated("\xC3\xA9", 36)}},
         2600},
        {"tab at column 3", "abc\tX", 0, {{1, 1200, 2000, "abc"}, {1, 2400, 2000, "X"}}, 2120},
        {"tab at column 10",
         "abcdefghij\tX",
         0,
         {{1, 1200, 2000, "abcdefghij"}, {1, 3600, 2000, "X"}},
         2120},
        {"tab stops count from the margin",
         "a\tX",
         1,
         {{1, 1750, 2000, "a"}, {1, 2400, 2000, "X"}},
         2120},
        {"other control characters print nothing",
         "a\rb\x01"
         "c",
         0,
         {{1, 1200, 2000, "a"}, {1, 1320, 2000, "b"}, {1, 1440, 2000, "c"}},
         2120},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpPage page(2000);
        page.out.Print_Wrapped(c.text, c.indent, 12, false, "", "foot");
        EXPECT_THAT(drawn(page.printer), ::testing::ElementsAreArray(c.expected));
        EXPECT_EQ(page.printer.CurrentY(), c.endY);
    }
}

TEST_F(PageOutputTest, WrappedLinesNeverRunIntoTheFooterZone) {
    // A new line below 14340 goes on the next page, whether a line feed or a long word makes it.
    const std::string a70(70, 'a');
    const struct {
        const char* name;
        double y;
        std::string text;
        bool breaks;
    } cases[] = {
        {"line feed, next line at the limit", kFooterZone - 240, "one\ntwo", false},
        {"line feed, next line past the limit", kFooterZone - 239, "one\ntwo", true},
        {"wrapped word, next line at the limit", kFooterZone - 240, a70 + " two", false},
        {"wrapped word, next line past the limit", kFooterZone - 239, a70 + " two", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingPrinter fresh;
        PrinterPageOutput out(fresh);
        out.Printer_Setup();
        fresh.setCurrentY(c.y);
        out.Print_Wrapped(c.text, 2, 12, false, "", "foot");
        const auto second = fresh.find("two");
        ASSERT_TRUE(second);
        EXPECT_EQ(second->x, 1200 + 2 * 550);
        if (c.breaks) {
            EXPECT_EQ(second->page, 2);
            EXPECT_EQ(second->y, 1200);
            EXPECT_TRUE(fresh.find("foot"));
        } else {
            EXPECT_EQ(second->page, 1);
            EXPECT_EQ(second->y, kFooterZone);
        }
    }
}

// Where each kind of line may print: from its indent (a block's text inside its box) to the
// right margin, whatever its text holds.
TEST_F(PageOutputTest, NothingRunsPastTheMarginsOrBackToThePaperEdge) {
    const std::string word300(300, 'w');
    const std::string sentence = "lean " + std::string(40, 'a') + " " + std::string(30, 'b');
    enum class Kind { Segment, Block, Wrapped };
    const struct {
        const char* name;
        Kind kind;
        std::string text;
        std::vector<std::string> lines;  // empty: only the margins are checked
    } cases[] = {
        {"segment, line break", Kind::Segment, "first\r\nsecond", {"first", "second"}},
        {"segment, line feed", Kind::Segment, "first\nsecond", {"first", "second"}},
        {"segment, long word", Kind::Segment, word300, {}},
        {"segment, long line",
         Kind::Segment,
         sentence,
         {"lean " + std::string(40, 'a'), std::string(30, 'b')}},
        {"block, line break",
         Kind::Block,
         "Discussion URL: first\nsecond",
         {"Discussion URL: first", "second"}},
        {"block, long word", Kind::Block, word300, {}},
        {"wrapped, long word", Kind::Wrapped, word300, {}},
        {"wrapped, long word after a short one", Kind::Wrapped, "x " + word300, {}},
    };
    constexpr int kIndent = 3;
    constexpr double kSize = 12;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpPage page(2000);
        RecordingPrinter& fresh = page.printer;
        PrinterPageOutput& out = page.out;
        double left = 1200 + kIndent * 550;
        switch (c.kind) {
            case Kind::Segment:
                out.Print_Segment(c.text, kIndent, kSize, false, "foot");
                break;
            case Kind::Block:
                out.Print_Block(c.text, kSize, kIndent, false, "foot", false);
                left += 8 * kSize;
                ASSERT_EQ(fresh.boxes().size(), 1U);
                EXPECT_LE(fresh.boxes()[0].x2, kRightLimit);
                break;
            case Kind::Wrapped:
                out.Print_Wrapped(c.text, kIndent, kSize, false, "", "foot");
                break;
        }
        std::size_t characters = 0;
        std::vector<std::string> printed;
        for (const auto& text : fresh.texts()) {
            EXPECT_GE(text.x, left) << text.text;
            EXPECT_LE(text.x + widthOf(text), kRightLimit) << text.text;
            characters += text.text == " " ? 0 : text.text.size();
            if (text.text != " ") {
                printed.push_back(text.text);
            }
        }
        if (c.lines.empty()) {
            EXPECT_EQ(characters, c.text.size() - std::count(c.text.begin(), c.text.end(), ' '));
        } else {
            EXPECT_EQ(printed, c.lines);
        }
        // Every line below the last, one line each.
        for (std::size_t i = 1; i < fresh.texts().size(); ++i) {
            EXPECT_GE(fresh.texts()[i].y, fresh.texts()[i - 1].y);
        }
    }
}

// A line is filled up to the margin: with 82 characters of 12 points between the margins, or 246
// of 4 points, more than the first guess of the search for the cut.
TEST_F(PageOutputTest, LongLinesAreFilledToTheMargin) {
    const std::string a82(82, 'a');
    std::string words = "abcdefghi";
    for (int i = 1; i < 30; ++i) {
        words += " abcdefghi";
    }
    const std::string eightWords = words.substr(0, 79);
    const struct {
        const char* name;
        double size;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"a blank right after a full line",
         12,
         a82 + " " + std::string(10, 'b'),
         {a82, std::string(10, 'b')}},
        {"a word one character too long", 12, a82 + "a b", {a82, "a b"}},
        {"many words", 12, words, {eightWords, eightWords, eightWords, words.substr(0, 59)}},
        {"lines longer than the first guess",
         4,
         std::string(600, 'a'),
         {std::string(246, 'a'), std::string(246, 'a'), std::string(108, 'a')}},
        {"one- and two-byte characters",
         4,
         repeated("a\xC3\xA9", 300),
         {repeated("a\xC3\xA9", 123), repeated("a\xC3\xA9", 123), repeated("a\xC3\xA9", 54)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpPage page(2000);
        page.out.Print_Segment(c.text, 0, c.size, false, "foot");
        EXPECT_EQ(page.printer.textStrings(), c.lines);
    }
}

TEST_F(PageOutputTest, ALongFooterStaysBetweenTheMargins) {
    const std::string twoLines = std::string(70, 'f') + " " + std::string(70, 'g');
    const std::string tooLong = std::string(500, 'h') + " end";
    const struct {
        const char* name;
        std::string footer;
        std::vector<std::string> lines;
    } cases[] = {
        {"two lines", twoLines, {std::string(70, 'f'), std::string(70, 'g')}},
        {"more than three lines",
         tooLong,
         {std::string(123, 'h'), std::string(123, 'h'), std::string(122, 'h') + "\xE2\x80\xA6"}},
        {"a line break", "left\nright", {"left", "right"}},
        {"three lines", "one\ntwo\nthree", {"one", "two", "three"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUpPage page;
        RecordingPrinter& fresh = page.printer;
        page.out.Print_Page_Footer(c.footer, true);
        std::vector<std::string> lines;
        double y = 14840;
        for (const auto& text : fresh.texts()) {
            if (text.text == RecordingPrinter::kDate) {
                EXPECT_EQ(text.y, y);  // the date follows the footer's last line
                break;
            }
            lines.push_back(text.text);
            EXPECT_GE(text.x, 1200) << text.text;
            EXPECT_LE(text.x + widthOf(text), kRightLimit) << text.text;
            EXPECT_EQ(text.y, y);
            y += 160;
        }
        EXPECT_EQ(lines, c.lines);
    }
}

TEST_F(PageOutputTest, WrappedHeadingIsCentredAboveTheText) {
    printer.setCurrentY(2000);
    pages.Print_Wrapped("body", 0, 12, false, "Head", "foot");
    EXPECT_THAT(printer.textStrings(), ::testing::ElementsAre("Head", "body"));
    EXPECT_EQ(printer.find("Head")->x, (12240 - 4 * 120) / 2.0);
    EXPECT_EQ(printer.find("Head")->y, 2240);
    EXPECT_EQ(printer.find("body")->x, 1200);  // back at the block's left edge

    RecordingPrinter fresh;
    PrinterPageOutput out(fresh);
    out.Print_Wrapped("body", 0, 12, false, "He", "foot");
    EXPECT_THAT(fresh.textStrings(), ::testing::ElementsAre("body"));
}

TEST_F(PageOutputTest, CentredLine) {
    printer.setFontSize(12);
    printer.setCurrentY(2000);
    pages.Print_Line("Title");
    ASSERT_TRUE(printer.find("Title"));
    EXPECT_EQ(printer.find("Title")->x, (12240 - 5 * 120) / 2.0);
    EXPECT_EQ(printer.find("Title")->y, 2240);
    EXPECT_EQ(printer.CurrentY(), 2000 + 3 * 240);

    pages.Print_Line("ab");
    EXPECT_EQ(printer.texts().size(), 1U);
    EXPECT_EQ(printer.CurrentY(), 2000 + 4 * 240);
}

TEST_F(PageOutputTest, FooterWithAndWithoutText) {
    printer.setFontSize(12);
    printer.setCurrentY(3000);
    pages.Print_Page_Footer("foot", false);
    // 8 points: 80 twips a character, 160 a line.
    EXPECT_THAT(drawn(printer),
                ::testing::ElementsAre(Drawn{1, 6120 - 160, 14840, "foot"},
                                       Drawn{1, 1200, 15000, RecordingPrinter::kDate},
                                       Drawn{1, kRightLimit - 7 * 80, 15000, "Page: 1"}));
    EXPECT_EQ(printer.pagesStarted(), 0);

    RecordingPrinter fresh;
    PrinterPageOutput out(fresh);
    out.Printer_Setup();
    fresh.setFontSize(12);
    fresh.setCurrentY(3000);
    out.Print_Page_Footer("ab", true);
    // No footer line: date and page number on the line after the current one.
    EXPECT_THAT(drawn(fresh),
                ::testing::ElementsAre(Drawn{1, 1200, 3240, RecordingPrinter::kDate},
                                       Drawn{1, kRightLimit - 7 * 80, 3240, "Page: 1"}));
    EXPECT_EQ(fresh.pagesStarted(), 1);
    EXPECT_EQ(fresh.Page(), 2);
    EXPECT_EQ(fresh.CurrentY(), 1200);
}

TEST_F(PageOutputTest, PageNumberEndsAtTheRightLimit) {
    for (const int page : {7, 123}) {
        SCOPED_TRACE(page);
        RecordingPrinter fresh;
        PrinterPageOutput out(fresh);
        while (fresh.Page() < page) {
            fresh.NewPage();
        }
        out.Print_Page_Footer("foot", false);
        const std::string text = "Page: " + std::to_string(page);
        const auto number = fresh.find(text);
        ASSERT_TRUE(number);
        EXPECT_EQ(number->x + static_cast<double>(text.size()) * 80, kRightLimit);
    }
}

TEST_F(PageOutputTest, FooterRestoresTheFont) {
    const struct {
        double size;
        bool bold;
        double restored;
    } cases[] = {{14, true, 14}, {12, false, 12}, {13.6, true, 14}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        printer.setFontSize(c.size);
        printer.setFontBold(c.bold);
        pages.Print_Page_Footer("foot", true);
        EXPECT_EQ(printer.texts().back().font.Size, 8);
        EXPECT_EQ(printer.FontSize(), c.restored);
        EXPECT_EQ(printer.FontBold(), c.bold);
    }
}

TEST_F(PageOutputTest, PictureIsFittedAndCentred) {
    constexpr double kReportScale = 86 / 100.1;
    const struct {
        int width;
        int height;
        bool fit;
        std::optional<double> scale;
        PageOrientation orientation;
        double drawnWidth;
        double drawnHeight;
    } cases[] = {
        {400, 300, false, 86, PageOrientation::Portrait, 12240 * kReportScale,
         12240 * kReportScale * 3 / 4},
        {400, 300, true, 86, PageOrientation::Landscape, 15840 * kReportScale * 3 / 4 * 4 / 3,
         15840 * kReportScale * 3 / 4},
        {300, 400, true, std::nullopt, PageOrientation::Portrait, 15840 * 0.9 * 3 / 4, 15840 * 0.9},
        {500, 500, true, std::nullopt, PageOrientation::Portrait, 12240 * 0.9, 12240 * 0.9},
        {100, 1000, false, 50, PageOrientation::Portrait, 15840 * 50 / 100.1 / 10,
         15840 * 50 / 100.1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        RecordingPrinter fresh;
        PrinterPageOutput out(fresh);
        const ReportPicture picture{
            c.width, c.height,
            std::vector<std::uint32_t>(static_cast<std::size_t>(c.width * c.height))};
        out.Print_Picture_To_Page(picture, c.fit, c.scale, "foot");
        ASSERT_EQ(fresh.pictures().size(), 1U);
        const auto& drawnPicture = fresh.pictures()[0];
        EXPECT_EQ(drawnPicture.orientation, c.orientation);
        const double pageWidth = c.orientation == PageOrientation::Portrait ? 12240 : 15840;
        const double pageHeight = c.orientation == PageOrientation::Portrait ? 15840 : 12240;
        EXPECT_NEAR(drawnPicture.width, c.drawnWidth, 0.01);
        EXPECT_NEAR(drawnPicture.height, c.drawnHeight, 0.01);
        EXPECT_NEAR(drawnPicture.x, (pageWidth - c.drawnWidth) / 2, 0.01);
        EXPECT_NEAR(drawnPicture.y, (pageHeight - c.drawnHeight) / 2, 0.01);
        EXPECT_EQ(fresh.pagesStarted(), 1);  // the picture has its page to itself
        EXPECT_TRUE(fresh.find("foot"));
    }
}

TEST_F(PageOutputTest, AnEmptyPictureIsRefused) {
    EXPECT_THROW(pages.Print_Picture_To_Page(ReportPicture{}, false, 86, "foot"), PrinterError);
    EXPECT_THROW(pages.Print_Picture_To_Page(ReportPicture{2, 2, {1, 2, 3}}, false, 86, "foot"),
                 PrinterError);
    EXPECT_TRUE(printer.pictures().empty());
}

}  // namespace
}  // namespace vrn::testing
