#include "model/file/tagged_record_reader.h"

#include <cstring>
#include <limits>

#include "model/file/matrix_file_error.h"
#include "model/file/quote_escaping.h"
#include "model/file/record_value_text.h"
#include "model/file/windows1252.h"

namespace vrn {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
constexpr int kEnd = -1;
constexpr std::int64_t kLowestLong = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighestLong = std::numeric_limits<std::int32_t>::max();

constexpr const char* kReadFileWarning =
    "warning: error parsing file in ReadFile.  Expected tag: '";
constexpr const char* kReadFileLongWarning =
    "warning: error parsing file in ReadFileLong. expected tag: '";
constexpr const char* kReadFileBooleanWarning =
    "warning: error parsing file in ReadFileBoolean.  Expected tag: '";

// Text as a message shows it: control characters (C0, DEL and C1) written as \xNN, so that a
// damaged file's bytes read as what they are instead of boxes or broken lines.
std::string Escaped(std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    constexpr unsigned char kC1Lead = 0xC2;
    std::string shown;
    shown.reserve(text.size());
    const auto escape = [&shown, &kHex](unsigned int code) {
        shown += "\\x";
        shown += kHex[(code >> 4) & 0xF];
        shown += kHex[code & 0xF];
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F) {
            escape(byte);
        } else if (byte == kC1Lead && next >= 0x80 && next <= 0x9F) {
            escape(next);
            ++i;
        } else {
            shown += static_cast<char>(byte);
        }
    }
    return shown;
}

// A value as an error quotes it: in double quotes, cut short when long.
std::string Shown(std::string_view text) {
    return "\"" + Escaped(ShortenedForMessage(text)) + "\"";
}

std::string RecordNamed(std::string_view tag) {
    return tag.empty() ? std::string("the value") : "the record \"" + Escaped(tag) + "\"";
}

}  // namespace

TaggedRecordReader::TaggedRecordReader(std::streambuf& source, std::string sourceName,
                                       const ComponentContext& context)
    : source_(source),
      sourceName_(std::move(sourceName)),
      context_(context),
      buffer_(kBufferSize) {}

bool TaggedRecordReader::refill() {
    position_ = 0;
    end_ = static_cast<std::size_t>(
        std::max<std::streamsize>(0, source_.sgetn(buffer_.data(), std::ssize(buffer_))));
    return end_ > 0;
}

int TaggedRecordReader::peek() {
    if (position_ == end_ && !refill()) {
        return kEnd;
    }
    return static_cast<unsigned char>(buffer_[position_]);
}

int TaggedRecordReader::get() {
    const int c = peek();
    if (c != kEnd) {
        ++position_;
    }
    return c;
}

void TaggedRecordReader::Fail(const std::string& detail) const {
    FailAt(recordLine_, detail);
}

void TaggedRecordReader::FailAt(int line, const std::string& detail) const {
    throw MatrixFileError("Reading '" + Escaped(sourceName_) + "' stopped at line " +
                          std::to_string(line) + ": " + detail + ".");
}

void TaggedRecordReader::readItem(Item& item) {
    item.bytes.clear();
    item.quoted = false;
    while (peek() == ' ' || peek() == '\t') {
        get();
    }
    item.line = line_;
    if (peek() == kEnd) {
        if (afterComma_) {  // "tag," at the very end: an empty value
            afterComma_ = false;
            return;
        }
        Fail(expected_.empty() ? std::string("the file ends too early")
                               : "the file ends where the record \"" + expected_ + "\" belongs");
    }
    if (peek() == '"') {
        get();
        item.quoted = true;
        readQuoted(item.bytes);
        skipToDelimiter();
    } else {
        readBare(item.bytes);
    }
    consumeDelimiter();
}

void TaggedRecordReader::readQuoted(std::string& bytes) {
    const int startLine = line_;
    bool lastWasCR = false;
    for (;;) {
        if (position_ == end_ && !refill()) {
            Fail("the file ends inside the quoted text that begins on line " +
                 std::to_string(startLine));
        }
        const char* begin = buffer_.data() + position_;
        const std::size_t available = end_ - position_;
        const auto* close = static_cast<const char*>(std::memchr(begin, '"', available));
        const char* stop = close != nullptr ? close : begin + available;
        const auto length = static_cast<std::size_t>(stop - begin);
        if (std::memchr(begin, '\n', length) != nullptr ||
            std::memchr(begin, '\r', length) != nullptr) {
            for (const char* p = begin; p != stop; ++p) {
                line_ += (*p == '\r' || (*p == '\n' && !lastWasCR)) ? 1 : 0;
                lastWasCR = *p == '\r';
            }
        } else if (length > 0) {
            lastWasCR = false;
        }
        bytes.append(begin, length);
        position_ += length;
        if (close != nullptr) {
            ++position_;
            return;
        }
    }
}

void TaggedRecordReader::readBare(std::string& bytes) {
    for (int c = peek(); c != kEnd && c != ',' && c != '\r' && c != '\n'; c = peek()) {
        bytes.push_back(static_cast<char>(get()));
    }
    const auto last = bytes.find_last_not_of(" \t");
    bytes.erase(last == std::string::npos ? 0 : last + 1);
}

void TaggedRecordReader::skipToDelimiter() {
    // Whatever stands between a closing quote and the next delimiter is not part of the item.
    for (int c = peek(); c != kEnd && c != ',' && c != '\r' && c != '\n'; c = peek()) {
        get();
    }
}

void TaggedRecordReader::consumeDelimiter() {
    afterComma_ = false;
    switch (peek()) {
        case ',':
            get();
            afterComma_ = true;
            break;
        case '\r':
            get();
            if (peek() == '\n') {
                get();
            }
            ++line_;
            break;
        case '\n':
            get();
            ++line_;
            break;
        default:
            break;
    }
}

void TaggedRecordReader::readRecord(std::string_view expected) {
    expected_ = expected;
    // Blank lines between records carry nothing.
    for (int c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek()) {
        if (c == '\r' || c == '\n') {
            consumeDelimiter();
        } else {
            get();
        }
    }
    recordLine_ = line_;
    readItem(tagItem_);
    readItem(valueItem_);
}

std::string TaggedRecordReader::text(const Item& item) const {
    if (!item.quoted) {
        if (item.bytes == "#TRUE#") {
            return "True";
        }
        if (item.bytes == "#FALSE#") {
            return "False";
        }
    }
    return DecodeWindows1252(item.bytes);
}

void TaggedRecordReader::checkTag(std::string_view expected, const char* warningPrefix) {
    if (tagItem_.bytes == expected) {
        return;
    }
    const std::string found = text(tagItem_);
    if (found == expected) {
        return;
    }
    if (++tagWarnings_ > kMaxTagWarnings) {
        Fail("the file is damaged: the record " + Shown(found) + " stands where \"" +
             std::string(expected) +
             "\" belongs, and too many records before it were out of place");
    }
    context_.MsgBox(warningPrefix + std::string(expected) + "' and found: '" +
                    Escaped(ShortenedForMessage(found)) + "'");
}

std::int32_t TaggedRecordReader::LongFromText(const std::string& value, std::string_view tag,
                                              std::int64_t lowest, std::int64_t highest) const {
    const auto number = WholeNumberFromText(value);
    if (!number) {
        FailAt(valueItem_.line,
               RecordNamed(tag) + " holds " + Shown(value) + " where a whole number belongs");
    }
    if (*number < lowest || *number > highest) {
        FailAt(valueItem_.line, RecordNamed(tag) + " holds " + Shown(value) +
                                    ", which is not from " + std::to_string(lowest) + " to " +
                                    std::to_string(highest));
    }
    return static_cast<std::int32_t>(*number);
}

bool TaggedRecordReader::TruthValueFromRecordText(const std::string& value,
                                                  std::string_view tag) const {
    const auto truth = TruthValueFromText(value);
    if (!truth) {
        FailAt(valueItem_.line,
               RecordNamed(tag) + " holds " + Shown(value) + " where True or False belongs");
    }
    return *truth;
}

std::int32_t TaggedRecordReader::longValue(const Item& item, const Item* tag, std::int64_t lowest,
                                           std::int64_t highest) const {
    // The common case, plain digits, needs no decoding.
    if (const auto number = WholeNumberFromText(item.bytes);
        number && *number >= lowest && *number <= highest) {
        return static_cast<std::int32_t>(*number);
    }
    return LongFromText(text(item), tag != nullptr ? text(*tag) : std::string(), lowest, highest);
}

bool TaggedRecordReader::truthValue(const Item& item, const Item* tag) const {
    if (!item.quoted) {
        if (item.bytes == "#TRUE#") {
            return true;
        }
        if (item.bytes == "#FALSE#") {
            return false;
        }
    }
    return TruthValueFromRecordText(text(item), tag != nullptr ? text(*tag) : std::string());
}

std::string TaggedRecordReader::ReadFile(std::string_view tag) {
    readRecord(tag);
    std::string value = text(valueItem_);
    checkTag(tag, kReadFileWarning);
    bool changed = false;
    Decode_Quotes(value, changed);
    return value;
}

std::int32_t TaggedRecordReader::ReadFileLong(std::string_view tag) {
    readRecord(tag);
    const std::int32_t value = longValue(valueItem_, &tagItem_, kLowestLong, kHighestLong);
    checkTag(tag, kReadFileLongWarning);
    return value;
}

bool TaggedRecordReader::ReadFileBoolean(std::string_view tag) {
    readRecord(tag);
    const bool value = truthValue(valueItem_, &tagItem_);
    checkTag(tag, kReadFileBooleanWarning);
    return value;
}

std::int32_t TaggedRecordReader::ReadFileNumberText(std::string_view tag, std::int64_t lowest,
                                                    std::int64_t highest) {
    return LongFromText(ReadFile(tag), tag, lowest, highest);
}

TaggedRecordReader::TagAndKey TaggedRecordReader::ReadTagAndKey() {
    readRecord({});
    TagAndKey pair;
    pair.tag = text(tagItem_);
    pair.key = longValue(valueItem_, &tagItem_, kLowestLong, kHighestLong);
    return pair;
}

std::int16_t TaggedRecordReader::ReadTagAndVersion() {
    readRecord({});
    return static_cast<std::int16_t>(longValue(valueItem_, &tagItem_,
                                               std::numeric_limits<std::int16_t>::min(),
                                               std::numeric_limits<std::int16_t>::max()));
}

std::string TaggedRecordReader::SkipRecord() {
    readRecord({});
    return text(tagItem_);
}

std::string TaggedRecordReader::ReadItemText() {
    expected_.clear();
    recordLine_ = line_;
    readItem(valueItem_);
    return text(valueItem_);
}

bool TaggedRecordReader::ReadItemBoolean() {
    expected_.clear();
    recordLine_ = line_;
    readItem(valueItem_);
    return truthValue(valueItem_, nullptr);
}

std::int32_t TaggedRecordReader::ReadItemLong() {
    expected_.clear();
    recordLine_ = line_;
    readItem(valueItem_);
    return longValue(valueItem_, nullptr, kLowestLong, kHighestLong);
}

}  // namespace vrn
