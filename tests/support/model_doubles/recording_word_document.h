#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "model/reports/word_document_writer.h"

namespace vrn::testing {

// A word-processor document that records each call as one line, fields joined by "|":
//   "new|title|footer", "P|text|size|indent|bold", "S|text|size|indent|bold|extra",
//   "T|text|size|indent|bold", "R|label|value|symbol|colour|own|other|description",
//   "BRK", "N", "picture|<byte count>", "save|file".
// A size left in force is written as "=", bold as "b" or "-", extra as "x" or "-".
class RecordingWordDocument : public WordDocumentWriter {
public:
    std::vector<std::string> calls;

    void Word_NewDocument(const std::string& title, const std::string& footer) override {
        calls.push_back("new|" + title + "|" + footer);
    }
    void Word_Paragraph(const std::string& text, int indent, WordFontSize size,
                        bool bold) override {
        calls.push_back("P|" + text + "|" + Size(size) + "|" + std::to_string(indent) + "|" +
                        (bold ? "b" : "-"));
    }
    void Word_Section(const std::string& text, int size, int indent, bool bold,
                      bool extra) override {
        calls.push_back("S|" + text + "|" + std::to_string(size) + "|" + std::to_string(indent) +
                        "|" + (bold ? "b" : "-") + "|" + (extra ? "x" : "-"));
    }
    void Word_SizedText(const std::string& text, int indent, WordFontSize size,
                        bool bold) override {
        calls.push_back("T|" + text + "|" + Size(size) + "|" + std::to_string(indent) + "|" +
                        (bold ? "b" : "-"));
    }
    void Word_TableRow(const std::string& label, const std::string& value,
                       const std::string& symbol, float symbolColour, const std::string& ownName,
                       const std::string& otherName, const std::string& description) override {
        char colour[32];
        std::snprintf(colour, sizeof colour, "%.0f", static_cast<double>(symbolColour));
        calls.push_back("R|" + label + "|" + value + "|" + symbol + "|" + colour + "|" + ownName +
                        "|" + otherName + "|" + description);
    }
    void Word_PageBreak() override { calls.push_back("BRK"); }
    void Word_TypeParagraph() override { calls.push_back("N"); }
    void Word_PastePicture(std::string_view png) override {
        calls.push_back("picture|" + std::to_string(png.size()));
    }
    void Word_SaveAndClose(const std::string& fileName) override {
        calls.push_back("save|" + fileName);
    }

    // The calls that start with `prefix`.
    std::vector<std::string> Starting(std::string_view prefix) const {
        std::vector<std::string> found;
        for (const auto& call : calls) {
            if (call.starts_with(prefix)) {
                found.push_back(call);
            }
        }
        return found;
    }

private:
    static std::string Size(WordFontSize size) { return size ? std::to_string(*size) : "="; }
};

}  // namespace vrn::testing
