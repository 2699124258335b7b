#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <set>

#include "platform/docx/docx_error.h"
#include "platform/docx/docx_word_document.h"
#include "tests/platform/docx/docx_test_reader.h"
#include "tests/platform/docx/docx_test_support.h"

namespace vrn::testing {
namespace {

using ::testing::ElementsAre;

class DocxWordDocumentTest : public ::testing::Test {
protected:
    // Saves `document` and reads the file back.
    DocxFile Saved(DocxWordDocument& document) {
        const auto path = folder / "report.docx";
        document.Word_SaveAndClose(path.string());
        return DocxFile(path);
    }

    ScratchFolder folder;
    DocxWordDocument document;
};

TEST_F(DocxWordDocumentTest, EveryPartIsThereAndWellFormedWhateverTheText) {
    const std::string awkward =
        "A & B < C > D \"quoted\" 'single' \x01\x1F control, bad \xFF\xC3 bytes, "
        "caf\xC3\xA9 \xF0\x9F\x98\x80 ]]> \r\nnext line\ttabbed";
    document.Word_NewDocument(awkward, awkward);
    document.Word_Paragraph(awkward, 1, 12, true);
    document.Word_Section(awkward, 14, 0, true, true);
    document.Word_SizedText(awkward, 2, std::nullopt, false);
    document.Word_TableRow(awkward, awkward, awkward, 255, awkward, awkward, awkward);
    document.Word_PastePicture(PngPicture(40, 20));
    document.Word_PageBreak();
    const DocxFile file = Saved(document);

    std::set<std::string> names;
    for (const auto& [name, bytes] : file.parts()) {
        names.insert(name);
        if (name.ends_with(".xml") || name.ends_with(".rels")) {
            EXPECT_EQ(XmlError(bytes), "") << name;
        }
    }
    EXPECT_EQ(names, (std::set<std::string>{
                         "[Content_Types].xml", "_rels/.rels", "docProps/app.xml",
                         "docProps/core.xml", "word/_rels/document.xml.rels", "word/document.xml",
                         "word/footer1.xml", "word/header1.xml", "word/media/image1.png",
                         "word/settings.xml", "word/styles.xml"}));
    // Every part but the pictures (typed by extension) is named in the content types.
    const std::string types = file.part("[Content_Types].xml");
    for (const auto& name : names) {
        if (!name.ends_with(".rels") && !name.ends_with(".png") && name != "[Content_Types].xml") {
            EXPECT_NE(types.find("PartName=\"/" + name + "\""), std::string::npos) << name;
        }
    }
    // The text survives escaping: markup characters, tabs and line breaks come back as written.
    const auto paragraphs = file.bodyParagraphs();
    const std::string expected =
        "A & B < C > D \"quoted\" 'single'  control, bad \xEF\xBF\xBD\xEF\xBF\xBD bytes, "
        "caf\xC3\xA9 \xF0\x9F\x98\x80 ]]> \nnext line\ttabbed";
    EXPECT_EQ(paragraphs[2].text(), expected);
    EXPECT_EQ(file.blocks("word/header1.xml").at(0).paragraph.text(), expected);
}

TEST_F(DocxWordDocumentTest, HeaderHoldsTheTitleAndFooterThePageFields) {
    for (const std::string& title : {std::string("Lean plan"), std::string()}) {
        SCOPED_TRACE(title);
        DocxWordDocument report;
        report.Word_NewDocument(title, title.empty() ? "" : "Sample footer");
        const DocxFile file = Saved(report);

        const auto header = file.blocks("word/header1.xml");
        ASSERT_EQ(header.size(), 1U);
        EXPECT_EQ(header[0].paragraph.alignment, "center");
        EXPECT_EQ(header[0].paragraph.text(), title);
        for (const auto& run : header[0].paragraph.runs) {
            EXPECT_TRUE(run.bold);
            EXPECT_EQ(run.halfPoints, 36);
        }

        const auto footer = file.blocks("word/footer1.xml");
        ASSERT_EQ(footer.size(), 1U);
        const DocxParagraph& line = footer[0].paragraph;
        EXPECT_EQ(line.alignment, "center");
        EXPECT_THAT(line.fieldInstructions, ElementsAre(" PAGE ", " NUMPAGES "));
        // Field results stand in as "1" until the reader's application lays the pages out.
        EXPECT_EQ(line.text(),
                  (title.empty() ? "" : "Sample footer") + std::string("\tpage 1 / 1"));
        // The document names both through its section.
        const auto relationships = file.relationships("word/_rels/document.xml.rels");
        EXPECT_EQ(relationships.at("rIdHeader"), "header|header1.xml");
        EXPECT_EQ(relationships.at("rIdFooter"), "footer|footer1.xml");
    }
}

TEST_F(DocxWordDocumentTest, SizesCarryOverAndBoldNeverLeaks) {
    document.Word_NewDocument("T", "F");
    document.Word_Paragraph("A", 1, 14, true);
    document.Word_SizedText("B", 2, std::nullopt, false);
    document.Word_Paragraph("C", 0, std::nullopt, false);
    document.Word_Section("D", 10, 3, true, true);
    document.Word_Paragraph("E", 0, std::nullopt, false);
    document.Word_SizedText("F", 1, 12, true);
    document.Word_TypeParagraph();
    const auto paragraphs = Saved(document).bodyParagraphs();

    struct Expected {
        std::string text;
        int indent;
        int halfPoints;  // of the text and of the mark
        bool bold;
        bool markBold;
    };
    const std::vector<Expected> expected = {
        {"", 0, 24, false, false},      // the two empty paragraphs that open the body
        {"", 0, 24, false, false},      //
        {"A", 576, 28, true, true},     // bold is switched off only after the mark
        {"B", 1152, 28, false, false},  // size carried over, plain
        {"C", 0, 28, false, false},     //
        {"D", 1728, 20, true, false},   // bold off before the mark
        {"", 1728, 20, false, false},   // the extra paragraph keeps the indent
        {"E", 0, 20, false, false},     //
        {"F", 576, 24, true, false},    //
        {"", 576, 24, false, false},    // typed paragraph
        {"", 576, 24, false, false},    // the last paragraph, at the insertion point
    };
    ASSERT_EQ(paragraphs.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("paragraph " + std::to_string(i));
        const auto& paragraph = paragraphs[i];
        const auto& want = expected[i];
        EXPECT_EQ(paragraph.text(), want.text);
        EXPECT_EQ(paragraph.indent, want.indent);
        EXPECT_EQ(paragraph.markHalfPoints, want.halfPoints);
        EXPECT_EQ(paragraph.markBold, want.markBold);
        for (const auto& run : paragraph.runs) {
            EXPECT_EQ(run.halfPoints, want.halfPoints);
            EXPECT_EQ(run.bold, want.bold);
        }
    }
}

TEST_F(DocxWordDocumentTest, InteractionTableMergesItsSymbolAndDescriptionCells) {
    document.Word_NewDocument("T", "F");
    document.Word_Paragraph("Group", 2, 12, true);
    document.Word_TableRow("4.2", "see note", "+", 0x0000FF, "Budget", "Targets", "Plans align");
    document.Word_TypeParagraph();
    document.Word_SizedText("After", 0, std::nullopt, false);
    const DocxFile file = Saved(document);

    const auto blocks = file.blocks("word/document.xml");
    std::size_t at = 0;
    while (at < blocks.size() && !blocks[at].isTable) {
        ++at;
    }
    ASSERT_LT(at, blocks.size());
    ASSERT_GE(at, 1U);
    const DocxParagraph& label = blocks[at - 1].paragraph;
    EXPECT_EQ(label.text(), "4.2\tsee note");
    EXPECT_EQ(label.indent, 288);

    const DocxTable& table = blocks[at].table;
    EXPECT_THAT(table.grid, ElementsAre(576, 2592, 5904));
    EXPECT_EQ(table.width, 576 + 2592 + 5904);
    ASSERT_EQ(table.rows.size(), 2U);
    ASSERT_EQ(table.rows[0].size(), 3U);
    ASSERT_EQ(table.rows[1].size(), 3U);
    struct CellWant {
        int width;
        const char* merge;
        const char* text;
        int halfPoints;
    };
    const CellWant want[2][3] = {
        {{576, "restart", "+", 56}, {2592, "", "Budget", 24}, {5904, "restart", "Plans align", 20}},
        {{576, "continue", "", 0}, {2592, "", "Targets", 24}, {5904, "continue", "", 0}},
    };
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column) {
            SCOPED_TRACE("row " + std::to_string(row) + " column " + std::to_string(column));
            const DocxCell& cell = table.rows[row][column];
            const CellWant& w = want[row][column];
            EXPECT_EQ(cell.width, w.width);
            EXPECT_EQ(cell.merge, w.merge);
            EXPECT_EQ(cell.verticalAlignment, "center");
            ASSERT_EQ(cell.paragraphs.size(), 1U);
            EXPECT_EQ(cell.paragraphs[0].text(), w.text);
            for (const auto& run : cell.paragraphs[0].runs) {
                EXPECT_EQ(run.halfPoints, w.halfPoints);
            }
        }
    }
    const DocxRun& symbol = table.rows[0][0].paragraphs[0].runs.at(0);
    EXPECT_TRUE(symbol.bold);
    EXPECT_TRUE(symbol.shadow);
    EXPECT_EQ(symbol.colour, "FF0000");  // OLE colours are blue-green-red
    EXPECT_FALSE(table.rows[0][1].paragraphs[0].runs.at(0).bold);

    // Typing goes on after the table with the indent and font that were in force before it.
    const DocxParagraph& following = blocks.at(at + 1).paragraph;
    EXPECT_EQ(following.indent, 1152);
    EXPECT_EQ(following.text(), "");
    EXPECT_EQ(following.markHalfPoints, 24);
    EXPECT_FALSE(following.markBold);
    const DocxParagraph& after = blocks.at(at + 2).paragraph;
    EXPECT_EQ(after.text(), "After");
    EXPECT_EQ(after.runs.at(0).halfPoints, 24);
    EXPECT_FALSE(after.runs.at(0).bold);
}

// Paragraphs ended while keeping is on keep with the next; keeping carries over until set off,
// and a new document starts without it. A highlighted interaction's label and the paragraph
// before it keep with its table whatever is in force, the first row keeps with the second, and
// neither row splits.
TEST_F(DocxWordDocumentTest, HeadingsKeepWithWhatFollowsAndTablesStayWhole) {
    document.Word_NewDocument("T", "F");
    document.setKeepWithNext(true);
    document.Word_Section("Heading", 10, 2, false, true);
    document.Word_Paragraph("Name", 2, 12, true);
    document.setKeepWithNext(false);
    document.Word_TableRow("4.2", "note", "+", 0, "Own", "Other", "Described");
    document.Word_SizedText("Body", 1, 12, false);
    document.setKeepWithNext(true);
    document.Word_TableRow("4.2", "note", "-", 0, "Own", "Other", "Described");
    document.Word_SizedText("Kept body", 1, 12, false);
    const auto blocks = Saved(document).blocks("word/document.xml");

    // Blocks as "text" (a paragraph, "K" after it when it keeps with the next) or "table".
    std::vector<std::string> seen;
    for (const DocxBlock& block : blocks) {
        if (!block.isTable) {
            seen.push_back(block.paragraph.text() + (block.paragraph.keepWithNext ? " K" : ""));
            continue;
        }
        seen.push_back("table");
        const DocxTable& table = block.table;
        ASSERT_EQ(table.rows.size(), 2U);
        EXPECT_THAT(table.rowsCantSplit, ElementsAre(true, true));
        for (int row = 0; row < 2; ++row) {
            for (const DocxCell& cell : table.rows[row]) {
                EXPECT_EQ(cell.paragraphs.at(0).keepWithNext, row == 0) << "row " << row;
            }
        }
    }
    EXPECT_THAT(seen, ElementsAre("", "", "Heading K", " K", "Name K", " K", "4.2\tnote K", "table",
                                  "Body", " K", "4.2\tnote K", "table", "Kept body K", " K"));

    // Left on, keeping ends with the document.
    document.Word_NewDocument("T", "F");
    document.Word_SizedText("New document", 0, 12, false);
    for (const DocxParagraph& paragraph : Saved(document).bodyParagraphs()) {
        EXPECT_FALSE(paragraph.keepWithNext) << paragraph.text();
    }
}

TEST(DocxColourTest, ColoursOutsideTheRgbRangeBecomeColourOne) {
    struct Case {
        float colour;
        const char* hex;
    };
    const std::vector<Case> cases = {
        {0, "000000"},
        {255, "FF0000"},
        {0x00FF00, "00FF00"},
        {0xFF0000, "0000FF"},
        {0x123456, "563412"},
        {0xFFFFFF, "FFFFFF"},
        {-1, "010000"},
        {static_cast<float>(static_cast<std::int32_t>(0x80000005)), "010000"},  // system colour
        {0x1000000, "010000"},
        {12.5F, "010000"},
        {std::numeric_limits<float>::quiet_NaN(), "010000"},
        {std::numeric_limits<float>::infinity(), "010000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DocxWordDocument::ColourHex(c.colour), c.hex) << c.colour;
    }
}

TEST_F(DocxWordDocumentTest, PicturesAreStoredAndLinkedAndFitTheTextColumn) {
    struct Case {
        int width;
        int height;
        std::int64_t cx;
        std::int64_t cy;
    };
    // 96 pixels to the inch; wider than 6.5 inches shrinks to the column, keeping the shape.
    const std::vector<Case> cases = {
        {96, 48, 914400, 457200},
        {1248, 624, 5943600, 2971800},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        DocxWordDocument report;
        report.Word_NewDocument("T", "F");
        const std::string png = PngPicture(c.width, c.height);
        report.Word_PastePicture(png);
        report.Word_TypeParagraph();
        const DocxFile file = Saved(report);

        EXPECT_EQ(file.part("word/media/image1.png"), png);
        const auto paragraphs = file.bodyParagraphs();
        ASSERT_EQ(paragraphs.size(), 4U);
        ASSERT_EQ(paragraphs[2].runs.size(), 1U);
        const std::string id = paragraphs[2].runs[0].pictureRelationship;
        EXPECT_EQ(file.relationships("word/_rels/document.xml.rels").at(id),
                  "image|media/image1.png");
        const std::string xml = file.part("word/document.xml");
        EXPECT_NE(xml.find("<wp:extent cx=\"" + std::to_string(c.cx) + "\" cy=\"" +
                           std::to_string(c.cy) + "\"/>"),
                  std::string::npos);
    }
}

TEST_F(DocxWordDocumentTest, PageBreakComesBeforeTheNextText) {
    document.Word_NewDocument("T", "F");
    document.Word_Paragraph("First", 0, 12, false);
    document.Word_PageBreak();
    document.Word_Section("Second", 16, 0, true, true);
    const auto paragraphs = Saved(document).bodyParagraphs();
    ASSERT_EQ(paragraphs.size(), 6U);
    EXPECT_EQ(paragraphs[2].text(), "First");
    EXPECT_FALSE(paragraphs[2].hasPageBreak());
    EXPECT_TRUE(paragraphs[3].hasPageBreak());
    EXPECT_TRUE(paragraphs[3].runs.at(0).pageBreak);
    EXPECT_EQ(paragraphs[3].text(), "Second");
}

TEST_F(DocxWordDocumentTest, RefusedInputAndFailedSavesLeaveNoFile) {
    document.Word_NewDocument("T", "F");
    EXPECT_THROW(document.Word_PastePicture("GIF89a not a png at all, really"), DocxError);
    EXPECT_THROW(document.Word_PastePicture(""), DocxError);

    for (const auto& target : {folder / "missing" / "report.docx", folder.path()}) {
        SCOPED_TRACE(target);
        EXPECT_THROW(document.Word_SaveAndClose(target.string()), std::exception);
    }
    EXPECT_TRUE(folder.names().empty());

    // The document stays open after a failed save, as it was, and saves elsewhere whole.
    const DocxFile file = Saved(document);
    EXPECT_EQ(file.bodyParagraphs().size(), 3U);
    EXPECT_THAT(folder.names(), ElementsAre("report.docx"));

    // Closed: writing needs a new document.
    EXPECT_THROW(document.Word_Paragraph("late", 0, 12, false), DocxError);
    DocxWordDocument fresh;
    EXPECT_THROW(fresh.Word_SaveAndClose((folder / "x.docx").string()), DocxError);
}

TEST_F(DocxWordDocumentTest, ALongDocumentSavesWholeAfterAFailedSave) {
    // Megabytes of text, far past what the document keeps in memory at a time.
    constexpr int kParagraphs = 40000;
    document.Word_NewDocument("T", "F");
    for (int i = 0; i < kParagraphs; ++i) {
        document.Word_Section("Practice " + std::to_string(i), 12, i % 4, i % 2 == 0, false);
    }
    EXPECT_THROW(document.Word_SaveAndClose((folder / "missing" / "report.docx").string()),
                 std::exception);
    document.Word_Paragraph("after the failed save", 0, 12, false);

    const auto paragraphs = Saved(document).bodyParagraphs();
    ASSERT_EQ(paragraphs.size(), 2U + kParagraphs + 2U);
    for (const int i : {0, 1, 12345, kParagraphs - 1}) {
        SCOPED_TRACE(i);
        const auto& paragraph = paragraphs[2 + static_cast<std::size_t>(i)];
        EXPECT_EQ(paragraph.text(), "Practice " + std::to_string(i));
        EXPECT_EQ(paragraph.indent, (i % 4) * 576);
        EXPECT_EQ(paragraph.runs.at(0).bold, i % 2 == 0);
    }
    EXPECT_EQ(paragraphs[2 + kParagraphs].text(), "after the failed save");
    EXPECT_THAT(folder.names(), ElementsAre("report.docx"));
}

}  // namespace
}  // namespace vrn::testing
