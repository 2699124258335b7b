#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/reports/report_file.h"
#include "model/reports/word_document_writer.h"
#include "platform/docx/docx_spooled_part.h"

namespace vrn {

// The report document written as an Office Open XML word-processing file (.docx).
//
// It keeps an insertion point like a word processor's selection: the font (size, bold), the
// left indent and whether paragraphs keep with the next in force, and the paragraph being typed.
// Finished paragraphs are deflated into a temporary spool as they are typed, so memory stays flat
// however long the document grows; Word_SaveAndClose writes the zip file (the spooled text, header,
// footer, styles and pictures) beside the target, checks it, and renames it over the target in one
// step.
class DocxWordDocument : public WordDocumentWriter {
public:
    explicit DocxWordDocument(ReportFileOpener openFile = OpenReportFile)
        : openFile_(std::move(openFile)) {}

    void Word_NewDocument(const std::string& title, const std::string& footer) override;
    void Word_Paragraph(const std::string& text, int indent, WordFontSize size, bool bold) override;
    void Word_Section(const std::string& text, int size, int indent, bool bold,
                      bool extra) override;
    void Word_SizedText(const std::string& text, int indent, WordFontSize size, bool bold) override;
    void Word_TableRow(const std::string& label, const std::string& value,
                       const std::string& symbol, float symbolColour, const std::string& ownName,
                       const std::string& otherName, const std::string& description) override;
    void Word_PageBreak() override;
    void setKeepWithNext(bool keep) noexcept override { keepWithNext_ = keep; }
    void Word_TypeParagraph() override;
    void Word_PastePicture(std::string_view png) override;
    void Word_SaveAndClose(const std::string& fileName) override;

    // The "RRGGBB" text of an OLE colour (0x00BBGGRR); a value outside 0 to &HFFFFFF, or not a
    // whole number, gives colour 1.
    static std::string ColourHex(float oleColour);

private:
    struct Font {
        int halfPoints;
        bool bold;
        bool operator==(const Font&) const = default;
    };
    // Where a bold paragraph switches bold off again: before its paragraph mark or after it.
    enum class BoldOff { BeforeMark, AfterMark };

    void requireOpen() const;
    void writeParagraph(std::string_view text, int indent, WordFontSize size, bool bold,
                        BoldOff boldOff);
    void setSize(WordFontSize size);
    void toggleBold() { font_.bold = !font_.bold; }
    void setIndentLevel(int level);
    void typeText(std::string_view text);
    void typeParagraph();
    template <class Out>
    void paragraphXml(Out& out);
    const std::string& fontXml();
    void appendTable(const std::string& symbol, float symbolColour, const std::string& ownName,
                     const std::string& otherName, const std::string& description);
    void save(const std::string& fileName);

    ReportFileOpener openFile_;
    std::string title_;
    std::string footer_;
    Font font_{};
    int indentTwips_ = 0;
    bool keepWithNext_ = false;
    std::unique_ptr<DocxSpooledPart> body_;  // finished paragraphs and tables; none when closed
    std::string runs_;                       // runs of the paragraph at the insertion point
    Font fontXmlOf_{-1, false};              // the font that fontXml_ describes
    std::string fontXml_;
    std::vector<std::string> pictures_;
};

}  // namespace vrn
