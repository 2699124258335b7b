#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/reports/word_document_writer.h"
#include "platform/docx/docx_chunked_text.h"

namespace vrn {

// The report document written as an Office Open XML word-processing file (.docx).
//
// It keeps an insertion point like a word processor's selection: the font (size, bold) and the
// left indent in force, and the paragraph being typed. Text is kept as document XML until
// Word_SaveAndClose packs it with the header, footer, styles and pictures into a zip file, which
// replaces the target in one step.
class DocxWordDocument : public WordDocumentWriter {
public:
    void Word_NewDocument(const std::string& title, const std::string& footer) override;
    void Word_Paragraph(const std::string& text, int indent, WordFontSize size, bool bold) override;
    void Word_Section(const std::string& text, int size, int indent, bool bold,
                      bool extra) override;
    void Word_SizedText(const std::string& text, int indent, WordFontSize size, bool bold) override;
    void Word_TableRow(const std::string& label, const std::string& value,
                       const std::string& symbol, float symbolColour, const std::string& ownName,
                       const std::string& otherName, const std::string& description) override;
    void Word_PageBreak() override;
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
    };

    void requireOpen() const;
    void setSize(WordFontSize size);
    void toggleBold() { font_.bold = !font_.bold; }
    void setIndentLevel(int level);
    void typeText(std::string_view text);
    void typeParagraph();
    static std::string fontXml(const Font& font);
    void appendTable(const std::string& symbol, float symbolColour, const std::string& ownName,
                     const std::string& otherName, const std::string& description);
    void save(const std::string& fileName) const;

    bool open_ = false;
    std::string title_;
    std::string footer_;
    Font font_{};
    int indentTwips_ = 0;
    DocxChunkedText body_;  // finished paragraphs and tables
    std::string runs_;      // runs of the paragraph at the insertion point
    std::vector<std::string> pictures_;
};

}  // namespace vrn
