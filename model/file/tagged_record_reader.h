#pragma once

#include <cstdint>
#include <limits>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "model/component_context.h"

namespace vrn {

// Reads the tagged records of a matrix file: each record is a tag and a value, items separated
// by a comma or a line end (CR LF, or a lone CR or LF). A quoted item runs to the next double
// quote, commas and line breaks included; an unquoted item runs to the next comma or line end;
// leading blanks are skipped. Text is decoded from Windows-1252 to UTF-8.
//
// A value that does not convert, the end of the file, or more tag mismatches than a sound file
// could have, raise MatrixFileError naming the source and the line where reading stopped. A tag
// mismatch below that limit shows a warning and reading goes on with the value read.
//
// Files of hundreds of megabytes hold millions of records, nearly all of them one line with a
// quoted tag and a short value: such a record is taken straight from the read buffer, without
// copying; anything else (line breaks in a value, blanks before an item, text after a closing
// quote) goes the general way, byte by byte.
class TaggedRecordReader {
public:
    // Mismatch warnings shown before the file counts as damaged.
    static constexpr int kMaxTagWarnings = 5;

    // `sourceName` names the source in errors; warnings go to `context`. Both `source` and
    // `context` must outlive the reader.
    TaggedRecordReader(std::streambuf& source, std::string sourceName,
                       const ComponentContext& context);

    // One record with a check of its tag: a string (escapes undone), a 32-bit integer, a truth
    // value. A Boolean value read as a string gives "True" or "False".
    std::string ReadFile(std::string_view tag);
    std::int32_t ReadFileLong(std::string_view tag);
    bool ReadFileBoolean(std::string_view tag);

    // One record whose tag is not checked, with a 32-bit or a 16-bit value. The tag stays valid
    // until the next read.
    struct TagAndKey {
        std::string_view tag;
        std::int32_t key = 0;
    };
    // `likely`, the tag such a record most often has where it is read, only makes the read
    // faster.
    TagAndKey ReadTagAndKey(std::string_view likely = {});
    std::int16_t ReadTagAndVersion();
    // One record whose value may be of any kind; gives its tag.
    std::string SkipRecord();

    // Bare items, as version 1 writes an element's values after its opening record.
    std::string ReadItemText();
    bool ReadItemBoolean();
    std::int32_t ReadItemLong();

    // A string record whose text stands for a whole number from `lowest` to `highest`, as
    // "Color" and "AlternativeCount" are read.
    std::int32_t ReadFileNumberText(
        std::string_view tag, std::int64_t lowest = std::numeric_limits<std::int32_t>::min(),
        std::int64_t highest = std::numeric_limits<std::int32_t>::max());

    // Converts text read as a string; `tag` names the record in the error.
    std::int32_t LongFromText(const std::string& text, std::string_view tag, std::int64_t lowest,
                              std::int64_t highest) const;
    bool TruthValueFromRecordText(const std::string& text, std::string_view tag) const;

    // Stops reading with an error that names the source and the line of the last record begun.
    // Control characters in the error's texts show as \xNN. A value that does not convert
    // (LongFromText, TruthValueFromRecordText) names the line its value begins on.
    [[noreturn]] void Fail(const std::string& detail) const;

    const std::string& sourceName() const { return sourceName_; }
    // The size of the source in bytes, as it told when the reader began; 0 when it did not.
    std::int64_t sourceBytes() const { return sourceBytes_; }
    const ComponentContext& context() const { return context_; }

private:
    struct Item {
        std::string_view bytes;  // in the read buffer or in `copy`
        std::string copy;        // an item read the general way
        bool quoted = false;
        int line = 1;  // where the item begins
    };

    [[noreturn]] void FailAt(int line, const std::string& detail) const;

    // Takes a one-line record from the buffer; false, with nothing consumed, for any other.
    // `likely` is the tag the record most likely has, or none.
    bool readSimpleRecord(std::string_view likely);
    void readItem(Item& item);
    void readQuoted(std::string& bytes);
    void readBare(std::string& bytes);
    void skipToDelimiter();
    void consumeDelimiter();
    // Reads a tag and its value into tagItem_ and valueItem_.
    // Reads a record that should have the tag `expected` (none: any), most likely `likely`.
    void readRecord(std::string_view expected, std::string_view likely);
    void readRecord(std::string_view expected) { readRecord(expected, expected); }
    void checkTag(std::string_view expected, const char* warningPrefix);
    // The value of the record just read as ReadFile gives it: decoded, escapes undone, the tag
    // checked.
    std::string stringValue(std::string_view tag);

    std::string text(const Item& item) const;
    // `tag` names the record in an error; none for a bare item.
    std::int32_t longValue(const Item& item, const Item* tag, std::int64_t lowest,
                           std::int64_t highest) const;
    bool truthValue(const Item& item, const Item* tag) const;

    int peek();
    int get();
    bool refill();
    // Reads on after the bytes not yet used, moved to the buffer's start; false at the end.
    bool readOn();

    std::streambuf& source_;
    std::string sourceName_;
    std::int64_t sourceBytes_ = 0;
    const ComponentContext& context_;
    std::vector<char> buffer_;
    std::size_t position_ = 0;
    std::size_t end_ = 0;
    bool sourceEnded_ = false;

    int line_ = 1;
    int recordLine_ = 1;       // where the record being read began
    bool afterComma_ = false;  // the last item ended at a comma
    // The tag the record being read should have, for errors; the caller's, valid during its call.
    std::string_view expected_;
    // The tag the record being read was likely to have, and whether it has it.
    std::string_view likely_;
    bool tagIsLikely_ = false;
    int tagWarnings_ = 0;
    Item tagItem_;
    Item valueItem_;
    std::string tagText_;  // a tag that ReadTagAndKey had to decode
};

}  // namespace vrn
