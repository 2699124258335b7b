#include "model/file/tagged_record_reader.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "model/file/matrix_file_error.h"
#include "model/file/quote_escaping.h"
#include "model/file/record_value_text.h"
#include "model/file/windows1252.h"

namespace vrn {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 16;
// A one-line record is taken from the buffer when it lies within this many bytes of the read
// position; the buffer reads on before that many are left.
constexpr std::size_t kSimpleRecordWindow = 4096;
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

// Plain decimal digits with an optional minus, as the writer writes every integer; none for any
// other text, which the general conversion then takes.
std::optional<std::int64_t> PlainInteger(std::string_view text) {
    constexpr std::size_t kMostDigits = 18;  // beyond any 32-bit value, within 64 bits
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > kMostDigits) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        const auto digit = static_cast<unsigned char>(c - '0');
        if (digit > 9) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// The first `c`, carriage return or line feed from `p` on; `end` when there is none. Records are
// a few bytes long, too short for a library search to pay.
const char* ScanTo(const char* p, const char* end, char c) {
    while (p != end && *p != c && *p != '\r' && *p != '\n') {
        ++p;
    }
    return p;
}

}  // namespace

TaggedRecordReader::TaggedRecordReader(std::streambuf& source, std::string sourceName,
                                       const ComponentContext& context)
    : source_(source),
      sourceName_(std::move(sourceName)),
      sourceBytes_(std::max<std::streamsize>(0, source.in_avail())),
      context_(context),
      buffer_(kBufferSize) {}

bool TaggedRecordReader::refill() {
    position_ = 0;
    end_ = static_cast<std::size_t>(
        std::max<std::streamsize>(0, source_.sgetn(buffer_.data(), std::ssize(buffer_))));
    sourceEnded_ = end_ == 0;
    return end_ > 0;
}

bool TaggedRecordReader::readOn() {
    if (sourceEnded_) {
        return false;
    }
    const std::size_t kept = end_ - position_;
    std::memmove(buffer_.data(), buffer_.data() + position_, kept);
    position_ = 0;
    end_ = kept;
    const std::streamsize got =
        source_.sgetn(buffer_.data() + kept, static_cast<std::streamsize>(buffer_.size() - kept));
    if (got <= 0) {
        sourceEnded_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
}

bool TaggedRecordReader::readSimpleRecord(std::string_view likely) {
    if (end_ - position_ < kSimpleRecordWindow) {
        readOn();
    }
    const char* const first = buffer_.data() + position_;
    const char* const end = buffer_.data() + end_;
    if (first == end || *first != '"') {
        return false;
    }
    // The tag: most often the likely one; else whatever stands up to the next quote.
    const char* tagEnd = first + 1;
    if (!likely.empty() && static_cast<std::size_t>(end - tagEnd) > likely.size() &&
        tagEnd[likely.size()] == '"' && std::memcmp(tagEnd, likely.data(), likely.size()) == 0) {
        tagEnd += likely.size();
        tagIsLikely_ = true;
    } else {
        tagEnd = ScanTo(tagEnd, end, '"');
        if (tagEnd == end || *tagEnd != '"') {
            return false;
        }
    }
    if (tagEnd + 1 == end || tagEnd[1] != ',') {
        return false;
    }
    const char* value = tagEnd + 2;
    const char* after = value;
    if (value != end && *value == '"') {
        const char* close = ScanTo(value + 1, end, '"');
        if (close == end || *close != '"') {
            return false;
        }
        valueItem_.bytes = std::string_view(value + 1, static_cast<std::size_t>(close - value - 1));
        valueItem_.quoted = true;
        after = close + 1;
    } else {
        after = ScanTo(value, end, ',');
        const std::string_view bare(value, static_cast<std::size_t>(after - value));
        // Blanks around a bare item, an empty one or a quote in it: the general way.
        if (bare.empty() || bare.front() == ' ' || bare.front() == '\t' || bare.back() == ' ' ||
            bare.back() == '\t' || bare.find('"') != std::string_view::npos) {
            return false;
        }
        valueItem_.bytes = bare;
        valueItem_.quoted = false;
    }
    // The line ends right after the value, with CR LF or LF.
    if (after != end && *after == '\r') {
        ++after;
    }
    if (after == end || *after != '\n') {
        return false;
    }
    tagItem_.bytes = std::string_view(first + 1, static_cast<std::size_t>(tagEnd - first - 1));
    tagItem_.quoted = true;
    tagItem_.line = line_;
    valueItem_.line = line_;  // a one-line record: its value begins on its line
    recordLine_ = line_;
    ++line_;
    afterComma_ = false;
    position_ = static_cast<std::size_t>(after + 1 - buffer_.data());
    return true;
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
    item.copy.clear();
    item.bytes = {};
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
        Fail(expected_.empty()
                 ? std::string("the file ends too early")
                 : "the file ends where the record \"" + std::string(expected_) + "\" belongs");
    }
    if (peek() == '"') {
        get();
        item.quoted = true;
        readQuoted(item.copy);
        skipToDelimiter();
    } else {
        readBare(item.copy);
    }
    item.bytes = item.copy;
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

void TaggedRecordReader::readRecord(std::string_view expected, std::string_view likely) {
    expected_ = expected;
    likely_ = likely;
    tagIsLikely_ = false;
    // Blank lines between records carry nothing.
    for (int c = peek(); c == ' ' || c == '\t' || c == '\r' || c == '\n'; c = peek()) {
        if (c == '\r' || c == '\n') {
            consumeDelimiter();
        } else {
            get();
        }
    }
    if (readSimpleRecord(likely)) {
        return;
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
    // The same view as the likely tag that the record was found to have: no need to compare.
    const bool likelyIsExpected =
        likely_.data() == expected.data() && likely_.size() == expected.size();
    if ((tagIsLikely_ && likelyIsExpected) || tagItem_.bytes == expected) {
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
    if (const auto number = PlainInteger(item.bytes);
        number && *number >= lowest && *number <= highest) {
        return static_cast<std::int32_t>(*number);
    }
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
    return stringValue(tag);
}

std::string TaggedRecordReader::stringValue(std::string_view tag) {
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
    readRecord(tag);
    // Plain digits are the same text decoded or not.
    if (const auto number = PlainInteger(valueItem_.bytes);
        number && *number >= lowest && *number <= highest) {
        checkTag(tag, kReadFileWarning);
        return static_cast<std::int32_t>(*number);
    }
    return LongFromText(stringValue(tag), tag, lowest, highest);
}

TaggedRecordReader::TagAndKey TaggedRecordReader::ReadTagAndKey(std::string_view likely) {
    readRecord({}, likely);
    TagAndKey pair;
    if (tagItem_.quoted && IsAscii(tagItem_.bytes)) {
        pair.tag = tagItem_.bytes;
    } else {
        tagText_ = text(tagItem_);
        pair.tag = tagText_;
    }
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
    expected_ = {};
    recordLine_ = line_;
    readItem(valueItem_);
    return text(valueItem_);
}

bool TaggedRecordReader::ReadItemBoolean() {
    expected_ = {};
    recordLine_ = line_;
    readItem(valueItem_);
    return truthValue(valueItem_, nullptr);
}

std::int32_t TaggedRecordReader::ReadItemLong() {
    expected_ = {};
    recordLine_ = line_;
    readItem(valueItem_);
    return longValue(valueItem_, nullptr, kLowestLong, kHighestLong);
}

}  // namespace vrn
