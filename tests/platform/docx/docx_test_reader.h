#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vrn::testing {

// A .docx file read back for tests: its parts by name, and its body, header and footer parsed
// into the few properties the report sets.
struct DocxRun {
    std::string text;    // tabs as "\t", line breaks as "\n"
    int halfPoints = 0;  // 0: not set on the run
    bool bold = false;
    bool shadow = false;
    std::string colour;
    bool pageBreak = false;
    std::string pictureRelationship;  // r:embed of a picture in the run
};

struct DocxParagraph {
    int indent = 0;  // left indent in twips
    std::string alignment;
    int markHalfPoints = 0;  // the paragraph mark's font
    bool markBold = false;
    bool keepWithNext = false;
    std::vector<DocxRun> runs;
    std::vector<std::string> fieldInstructions;

    std::string text() const;
    bool hasPageBreak() const;
};

struct DocxCell {
    int width = 0;
    std::string merge;  // "restart", "continue" or ""
    std::string verticalAlignment;
    std::vector<DocxParagraph> paragraphs;
};

struct DocxTable {
    int width = 0;
    std::vector<int> grid;
    std::vector<std::vector<DocxCell>> rows;
    std::vector<bool> rowsCantSplit;
};

struct DocxBlock {
    bool isTable = false;
    DocxParagraph paragraph;
    DocxTable table;
};

class DocxFile {
public:
    // Reads every part of the zip file at `path`; throws std::runtime_error when it is no zip.
    explicit DocxFile(const std::filesystem::path& path);

    const std::map<std::string, std::string>& parts() const { return parts_; }
    std::string part(const std::string& name) const;  // "" when missing

    // Paragraphs and tables of a part's body (document, header or footer) in order.
    std::vector<DocxBlock> blocks(const std::string& name) const;
    // The paragraphs of the document body (tables left out).
    std::vector<DocxParagraph> bodyParagraphs() const;
    std::vector<DocxTable> tables() const;

    // Relationship id -> "type|target" of a relationships part.
    std::map<std::string, std::string> relationships(const std::string& name) const;

private:
    std::map<std::string, std::string> parts_;
};

// The parser's message for `xml`, or "" when it is well-formed.
std::string XmlError(const std::string& xml);

}  // namespace vrn::testing
