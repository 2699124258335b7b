#include "platform/docx/docx_word_document.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "platform/docx/docx_error.h"
#include "platform/docx/docx_parts.h"
#include "platform/docx/docx_png.h"
#include "platform/docx/docx_xml.h"
#include "platform/docx/docx_zip_writer.h"

namespace vrn {

namespace {

constexpr int kDefaultHalfPoints = 24;  // 12 pt, the Normal style's size
constexpr int kIndentLevelTwips = 576;  // 0.4 inch
constexpr int kLabelIndentTwips = kIndentLevelTwips / 2;

// The highlighted interaction's table: symbol, names and description columns.
constexpr int kSymbolColumnTwips = 576;        // 0.4 inch
constexpr int kNamesColumnTwips = 2592;        // 1.8 inch
constexpr int kDescriptionColumnTwips = 5904;  // 4.1 inch
constexpr int kSymbolHalfPoints = 56;          // 28 pt
constexpr int kNameHalfPoints = 24;            // 12 pt
constexpr int kDescriptionHalfPoints = 20;     // 10 pt
constexpr std::uint32_t kFallbackColour = 1;
constexpr float kLargestColour = 0xFFFFFF;

// Pictures: 96 pixels per inch, shrunk to fit the text column.
constexpr std::int64_t kEmuPerTwip = 635;
constexpr std::int64_t kEmuPerPixel = 9525;

// A zip file ends with its end-of-directory record.
constexpr std::string_view kZipEndSignature("PK\x05\x06", 4);

std::string PictureRun(int n, std::int64_t cx, std::int64_t cy) {
    const std::string id = std::to_string(n);
    const std::string extent =
        "cx=\"" + std::to_string(cx) + "\" cy=\"" + std::to_string(cy) + "\"";
    return "<w:r><w:drawing><wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\">"
           "<wp:extent " +
           extent + "/><wp:docPr id=\"" + id + "\" name=\"Picture " + id +
           "\"/>"
           "<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect=\"1\"/>"
           "</wp:cNvGraphicFramePr><a:graphic><a:graphicData"
           " uri=\"http://schemas.openxmlformats.org/drawingml/2006/picture\"><pic:pic>"
           "<pic:nvPicPr><pic:cNvPr id=\"0\" name=\"image" +
           id +
           ".png\"/><pic:cNvPicPr/>"
           "</pic:nvPicPr><pic:blipFill><a:blip r:embed=\"" +
           PictureRelationship(n) +
           "\"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr><a:xfrm>"
           "<a:off x=\"0\" y=\"0\"/><a:ext " +
           extent +
           "/></a:xfrm><a:prstGeom prst=\"rect\">"
           "<a:avLst/></a:prstGeom></pic:spPr></pic:pic></a:graphicData></a:graphic>"
           "</wp:inline></w:drawing></w:r>";
}

// One table cell: width, vertical merge ("restart", "continue" or none), centred vertically,
// holding `runs` (empty for the continuation of a merged cell) in a paragraph that keeps with
// the next row or not.
void AppendCell(std::string& out, int width, std::string_view merge, bool keepWithNext,
                const std::string& runs) {
    out += "<w:tc><w:tcPr><w:tcW w:w=\"" + std::to_string(width) + "\" w:type=\"dxa\"/>";
    if (merge == "restart") {
        out += "<w:vMerge w:val=\"restart\"/>";
    } else if (merge == "continue") {
        out += "<w:vMerge/>";
    }
    out += "<w:vAlign w:val=\"center\"/></w:tcPr><w:p>";
    if (keepWithNext) {
        out += "<w:pPr><w:keepNext/></w:pPr>";
    }
    out += runs + "</w:p></w:tc>";
}

}  // namespace

std::string DocxWordDocument::ColourHex(float oleColour) {
    std::uint32_t colour = kFallbackColour;
    if (oleColour >= 0 && oleColour <= kLargestColour && std::floor(oleColour) == oleColour) {
        colour = static_cast<std::uint32_t>(oleColour);
    }
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", colour & 0xFFU, (colour >> 8) & 0xFFU,
                  (colour >> 16) & 0xFFU);
    return hex;
}

void DocxWordDocument::requireOpen() const {
    if (!body_) {
        throw DocxError("no report document is open");
    }
}

void DocxWordDocument::setSize(WordFontSize size) {
    if (size) {
        font_.halfPoints = *size * 2;
    }
}

void DocxWordDocument::setIndentLevel(int level) {
    indentTwips_ = level * kIndentLevelTwips;
}

// The run properties of the font in force; made again only when the font changes.
const std::string& DocxWordDocument::fontXml() {
    if (fontXmlOf_ != font_) {
        const std::string size = std::to_string(font_.halfPoints);
        fontXml_ = std::string("<w:rPr>") + (font_.bold ? "<w:b/><w:bCs/>" : "") +
                   "<w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size + "\"/></w:rPr>";
        fontXmlOf_ = font_;
    }
    return fontXml_;
}

void DocxWordDocument::typeText(std::string_view text) {
    if (text.empty()) {
        return;
    }
    runs_ += "<w:r>";
    runs_ += fontXml();
    AppendRunContent(runs_, text);
    runs_ += "</w:r>";
}

// The paragraph at the insertion point as XML; the next one keeps its indent.
template <class Out>
void DocxWordDocument::paragraphXml(Out& out) {
    out += "<w:p><w:pPr>";
    if (keepWithNext_) {
        out += "<w:keepNext/>";
    }
    if (indentTwips_ != 0) {
        out += "<w:ind w:left=\"";
        out += std::to_string(indentTwips_);
        out += "\"/>";
    }
    out += fontXml();  // the paragraph mark
    out += "</w:pPr>";
    out += runs_;
    out += "</w:p>";
}

// Ends the paragraph at the insertion point.
void DocxWordDocument::typeParagraph() {
    paragraphXml(*body_);
    runs_.clear();
}

void DocxWordDocument::Word_NewDocument(const std::string& title, const std::string& footer) {
    auto body = std::make_unique<DocxSpooledPart>();
    body->Append(DocumentStart());
    body_ = std::move(body);
    title_ = title;
    footer_ = footer;
    font_ = {kDefaultHalfPoints, false};
    indentTwips_ = 0;
    keepWithNext_ = false;
    runs_.clear();
    pictures_.clear();
    typeParagraph();
    typeParagraph();
}

// The writers type like a word processor: size, bold on, indent, text, paragraph mark. Bold
// goes off again before the mark (sections and body text) or after it (plain paragraphs).
void DocxWordDocument::writeParagraph(std::string_view text, int indent, WordFontSize size,
                                      bool bold, BoldOff boldOff) {
    requireOpen();
    setSize(size);
    if (bold) {
        toggleBold();
    }
    setIndentLevel(indent);
    typeText(text);
    if (bold && boldOff == BoldOff::BeforeMark) {
        toggleBold();
    }
    typeParagraph();
    if (bold && boldOff == BoldOff::AfterMark) {
        toggleBold();
    }
}

void DocxWordDocument::Word_Paragraph(const std::string& text, int indent, WordFontSize size,
                                      bool bold) {
    writeParagraph(text, indent, size, bold, BoldOff::AfterMark);
}

void DocxWordDocument::Word_Section(const std::string& text, int size, int indent, bool bold,
                                    bool extra) {
    Word_SizedText(text, indent, size, bold);
    if (extra) {
        typeParagraph();
    }
}

void DocxWordDocument::Word_SizedText(const std::string& text, int indent, WordFontSize size,
                                      bool bold) {
    writeParagraph(text, indent, size, bold, BoldOff::BeforeMark);
}

void DocxWordDocument::Word_TableRow(const std::string& label, const std::string& value,
                                     const std::string& symbol, float symbolColour,
                                     const std::string& ownName, const std::string& otherName,
                                     const std::string& description) {
    requireOpen();
    // The paragraph at the insertion point ends; the label gets a paragraph of its own, half a
    // level in, with the table after it. The paragraph after the table keeps the indent and font
    // that were in force, and typing goes on there. The label's paragraph and the one before it
    // keep with the table, so that a heading above them does too.
    const bool keep = std::exchange(keepWithNext_, true);
    typeParagraph();
    const int indent = indentTwips_;
    indentTwips_ = kLabelIndentTwips;
    typeText(label + "\t" + value);
    typeParagraph();
    indentTwips_ = indent;
    keepWithNext_ = keep;
    appendTable(symbol, symbolColour, ownName, otherName, description);
}

void DocxWordDocument::appendTable(const std::string& symbol, float symbolColour,
                                   const std::string& ownName, const std::string& otherName,
                                   const std::string& description) {
    std::string table;
    const auto run = [this](const std::string& text, int halfPoints, bool symbolStyle,
                            float colour) {
        std::string xml = "<w:r><w:rPr>";
        if (symbolStyle || font_.bold) {
            xml += "<w:b/><w:bCs/>";
        }
        if (symbolStyle) {
            xml += "<w:shadow/><w:color w:val=\"" + ColourHex(colour) + "\"/>";
        }
        const std::string size = std::to_string(halfPoints);
        xml += "<w:sz w:val=\"" + size + "\"/><w:szCs w:val=\"" + size + "\"/></w:rPr>";
        AppendRunContent(xml, text);
        return xml + "</w:r>";
    };
    const int width = kSymbolColumnTwips + kNamesColumnTwips + kDescriptionColumnTwips;
    table += "<w:tbl><w:tblPr><w:tblW w:w=\"" + std::to_string(width) +
             "\" w:type=\"dxa\"/><w:tblBorders>";
    for (const char* edge : {"top", "left", "bottom", "right", "insideH", "insideV"}) {
        table += std::string("<w:") + edge +
                 " w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"auto\"/>";
    }
    table += "</w:tblBorders><w:tblLayout w:type=\"fixed\"/></w:tblPr><w:tblGrid>";
    for (const int column : {kSymbolColumnTwips, kNamesColumnTwips, kDescriptionColumnTwips}) {
        table += "<w:gridCol w:w=\"" + std::to_string(column) + "\"/>";
    }
    // Neither row splits over two pages, and the first keeps with the second: the cells that
    // span both rows stay whole.
    const std::string row = "<w:tr><w:trPr><w:cantSplit/></w:trPr>";
    table += "</w:tblGrid>" + row;
    AppendCell(table, kSymbolColumnTwips, "restart", true,
               run(symbol, kSymbolHalfPoints, true, symbolColour));
    AppendCell(table, kNamesColumnTwips, "", true, run(ownName, kNameHalfPoints, false, 0));
    AppendCell(table, kDescriptionColumnTwips, "restart", true,
               run(description, kDescriptionHalfPoints, false, 0));
    table += "</w:tr>" + row;
    AppendCell(table, kSymbolColumnTwips, "continue", false, {});
    AppendCell(table, kNamesColumnTwips, "", false, run(otherName, kNameHalfPoints, false, 0));
    AppendCell(table, kDescriptionColumnTwips, "continue", false, {});
    table += "</w:tr></w:tbl>";
    body_->Append(table);
}

void DocxWordDocument::Word_PageBreak() {
    requireOpen();
    runs_ += "<w:r>";
    runs_ += fontXml();
    runs_ += "<w:br w:type=\"page\"/></w:r>";
}

void DocxWordDocument::Word_TypeParagraph() {
    requireOpen();
    typeParagraph();
}

void DocxWordDocument::Word_PastePicture(std::string_view png) {
    requireOpen();
    const PngSize size = ReadPngSize(png);
    std::int64_t cx = size.width * kEmuPerPixel;
    std::int64_t cy = size.height * kEmuPerPixel;
    const double fit = std::min({1.0, double(kTextWidthTwips * kEmuPerTwip) / double(cx),
                                 double(kTextHeightTwips * kEmuPerTwip) / double(cy)});
    cx = std::max<std::int64_t>(1, std::llround(double(cx) * fit));
    cy = std::max<std::int64_t>(1, std::llround(double(cy) * fit));
    pictures_.emplace_back(png);
    runs_ += PictureRun(static_cast<int>(pictures_.size()), cx, cy);
}

void DocxWordDocument::Word_SaveAndClose(const std::string& fileName) {
    requireOpen();
    // The paragraph at the insertion point is the document's last. A failed save leaves the
    // document open as it was, so that it can be saved elsewhere.
    save(fileName);
    body_.reset();
    runs_.clear();
    pictures_.clear();
}

void DocxWordDocument::save(const std::string& fileName) {
    std::string tail;
    paragraphXml(tail);
    tail += DocumentEnd();
    const auto document = body_->Finish(tail);

    const std::unique_ptr<SafeSaveFile> file = openFile_(fileName);
    DocxZipWriter zip(*file);
    zip.Add("[Content_Types].xml", ContentTypesXml(), true);
    zip.Add("_rels/.rels", PackageRelationshipsXml(), true);
    zip.Add("docProps/core.xml", CorePropertiesXml(title_), true);
    zip.Add("docProps/app.xml", AppPropertiesXml(), true);
    zip.AddDeflated("word/document.xml", document->crc32(), document->size(),
                    document->compressedSize(), [&](ByteSink& sink) { document->CopyTo(sink); });
    zip.Add("word/_rels/document.xml.rels",
            DocumentRelationshipsXml(static_cast<int>(pictures_.size())), true);
    zip.Add("word/styles.xml", StylesXml(), true);
    zip.Add("word/settings.xml", SettingsXml(), true);
    zip.Add("word/header1.xml", HeaderXml(title_), true);
    zip.Add("word/footer1.xml", FooterXml(footer_), true);
    for (std::size_t n = 1; n <= pictures_.size(); ++n) {
        zip.Add(PicturePartName(static_cast<int>(n)), pictures_[n - 1], false);
    }
    zip.Finish();
    CheckReportFileBytes(*file, zip.bytesWritten(), kZipEndSignature);
    file->Commit();
}

}  // namespace vrn
