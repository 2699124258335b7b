#include "model/file/tagged_record_writer.h"

#include <charconv>

#include "model/file/quote_escaping.h"
#include "model/file/record_value_text.h"
#include "model/file/windows1252.h"

namespace vrn {

namespace {

constexpr std::size_t kFlushSize = std::size_t{1} << 16;

}  // namespace

TaggedRecordWriter::TaggedRecordWriter(ByteSink& sink) : sink_(sink) {
    buffer_.reserve(kFlushSize + 1024);
}

void TaggedRecordWriter::beginRecord(std::string_view tag) {
    buffer_.push_back('"');
    replaced_ += AppendUtf8AsWindows1252(tag, buffer_);
    buffer_.append("\",");
}

void TaggedRecordWriter::endRecord() {
    buffer_.append("\r\n");
    if (buffer_.size() >= kFlushSize) {
        Flush();
    }
}

void TaggedRecordWriter::WriteFile(std::string_view tag, const std::string& value) {
    beginRecord(tag);
    buffer_.push_back('"');
    if (value.find('"') == std::string::npos) {
        replaced_ += AppendUtf8AsWindows1252(value, buffer_);
    } else {
        std::string escaped = value;
        bool changed = false;
        Encode_Quotes(escaped, changed);
        replaced_ += AppendUtf8AsWindows1252(escaped, buffer_);
    }
    buffer_.push_back('"');
    endRecord();
}

void TaggedRecordWriter::WriteLong(std::string_view tag, std::int32_t value) {
    beginRecord(tag);
    char digits[16];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    buffer_.append(digits, result.ptr);
    endRecord();
}

void TaggedRecordWriter::WriteBoolean(std::string_view tag, bool value) {
    beginRecord(tag);
    buffer_.append(value ? "#TRUE#" : "#FALSE#");
    endRecord();
}

void TaggedRecordWriter::WriteNumber(std::string_view tag, float value) {
    beginRecord(tag);
    buffer_.append(NumberText(value));
    endRecord();
}

void TaggedRecordWriter::Flush() {
    if (!buffer_.empty()) {
        sink_.Write(buffer_);
        buffer_.clear();
    }
}

}  // namespace vrn
