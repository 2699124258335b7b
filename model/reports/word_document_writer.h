#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vrn {

// A font size in points; none leaves the size the previous writer set in force.
using WordFontSize = std::optional<int>;

// The word-processor document that the word report writes into, one call per report line.
//
// Every writer appends at the document's insertion point, like typing: paragraph format (left
// indent) and font (size, bold) carry over from one paragraph to the next until a writer sets
// them again. An indent level is 0.4 inch of left indent. A bold writer switches bold on for its
// text and off again afterwards, so bold never reaches the next paragraph.
//
// Calls are made between Word_NewDocument and Word_SaveAndClose; failures throw.
class WordDocumentWriter {
public:
    virtual ~WordDocumentWriter() = default;

    // Starts the document: a page header with `title` (18 pt, bold, centred), a page footer with
    // `footer`, a tab, then "page " with the page number, " / " and the number of pages, and two
    // empty paragraphs; the insertion point after them.
    virtual void Word_NewDocument(const std::string& title, const std::string& footer) = 0;

    // One paragraph: `text`, then the paragraph mark. Bold is switched off after the mark.
    virtual void Word_Paragraph(const std::string& text, int indent, WordFontSize size,
                                bool bold) = 0;

    // One heading line; bold is switched off before the paragraph mark. `extra` adds an empty
    // paragraph after it.
    virtual void Word_Section(const std::string& text, int size, int indent, bool bold,
                              bool extra) = 0;

    // One paragraph of body text; bold is switched off before the paragraph mark.
    virtual void Word_SizedText(const std::string& text, int indent, WordFontSize size,
                                bool bold) = 0;

    // One highlighted interaction: a paragraph "`label`<tab>`value`" half a level in, then a
    // two-row table: `symbol` (28 pt, bold, shadowed, in `symbolColour`, an OLE colour) in a
    // 0.4 inch cell over both rows, `ownName` above `otherName` in a 1.8 inch column, and
    // `description` in a 4.1 inch cell over both rows. A colour outside 0 to &HFFFFFF is written
    // as colour 1. The label and the table stay together on one page.
    virtual void Word_TableRow(const std::string& label, const std::string& value,
                               const std::string& symbol, float symbolColour,
                               const std::string& ownName, const std::string& otherName,
                               const std::string& description) = 0;

    // A page break at the insertion point.
    virtual void Word_PageBreak() = 0;

    // Whether the paragraphs ended from here on stay on one page with the paragraph (or table)
    // after them, as a heading stays with what it heads. It carries over like the indent until
    // set again, and is off in a new document. A highlighted interaction's label stays with its
    // table, and the table's rows together, whatever this says.
    virtual void setKeepWithNext(bool keep) noexcept = 0;

    // Ends the paragraph at the insertion point (an empty one when nothing was typed into it).
    virtual void Word_TypeParagraph() = 0;

    // Puts a picture (the bytes of a PNG file) at the insertion point. Throws when the bytes are
    // not a PNG picture.
    virtual void Word_PastePicture(std::string_view png) = 0;

    // Saves the document as `fileName` and closes it. The file is replaced whole or not at all.
    virtual void Word_SaveAndClose(const std::string& fileName) = 0;
};

}  // namespace vrn
