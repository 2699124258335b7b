#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/reports/word_document_writer.h"

namespace vrn::testing {

// A word-processor document that records each call as one line, fields joined by "|":
//   "new|title|footer", "P|text|size|indent|bold", "S|text|size|indent|bold|extra",
//   "T|text|size|indent|bold", "R|label|value|symbol|colour|own|other|description",
//   "BRK", "N", "picture|<byte count>", "save|file".
// A size left in force is written as "=", bold as "b" or "-", extra as "x" or "-".
// setKeepWithNext is no call of its own: `keptWithNext` holds, for each call, whether it was
// made while paragraphs keep with the next.
class RecordingWordDocument : public WordDocumentWriter {
public:
    std::vector<std::string> calls;
    std::vector<bool> keptWithNext;

    void Word_NewDocument(const std::string& title, const std::string& footer) override {
        Record("new|" + title + "|" + footer);
    }
    void Word_Paragraph(const std::string& text, int indent, WordFontSize size,
                        bool bold) override {
        Record("P|" + text + "|" + Size(size) + "|" + std::to_string(indent) + "|" +
               (bold ? "b" : "-"));
    }
    void Word_Section(const std::string& text, int size, int indent, bool bold,
                      bool extra) override {
        Record("S|" + text + "|" + std::to_string(size) + "|" + std::to_string(indent) + "|" +
               (bold ? "b" : "-") + "|" + (extra ? "x" : "-"));
    }
    void Word_SizedText(const std::string& text, int indent, WordFontSize size,
                        bool bold) override {
        Record("T|" + text + "|" + Size(size) + "|" + std::to_string(indent) + "|" +
               (bold ? "b" : "-"));
    }
    void Word_TableRow(const std::string& label, const std::string& value,
                       const std::string& symbol, float symbolColour, const std::string& ownName,
                       const std::string& otherName, const std::string& description) override {
        char colour[32];
        std::snprintf(colour, sizeof colour, "%.0f", static_cast<double>(symbolColour));
        Record("R|" + label + "|" + value + "|" + symbol + "|" + colour + "|" + ownName + "|" +
               otherName + "|" + description);
    }
    void Word_PageBreak() override { Record("BRK"); }
    void setKeepWithNext(bool keep) noexcept override { keep_ = keep; }
    void Word_TypeParagraph() override { Record("N"); }
    void Word_PastePicture(std::string_view png) override {
        Record("picture|" + std::to_string(png.size()));
    }
    void Word_SaveAndClose(const std::string& fileName) override { Record("save|" + fileName); }

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

    // Whether `call`, the first call so written, was made while paragraphs keep with the next.
    // Throws when there is no such call.
    bool KeptWithNext(std::string_view call) const {
        for (std::size_t i = 0; i < calls.size(); ++i) {
            if (calls[i] == call) {
                return keptWithNext[i];
            }
        }
        throw std::logic_error("no call " + std::string(call));
    }

private:
    void Record(std::string call) {
        calls.push_back(std::move(call));
        keptWithNext.push_back(keep_);
    }
    static std::string Size(WordFontSize size) { return size ? std::to_string(*size) : "="; }

    bool keep_ = false;
};

}  // namespace vrn::testing
