#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/file/byte_sink.h"

namespace vrn {

// Writes the tagged records of a matrix file, one per line: the tag in double quotes, a comma,
// the value, CR LF. Strings go in double quotes with their double quotes escaped; truth values
// as #TRUE# or #FALSE#; integers and numbers as plain decimals. Text is encoded from UTF-8 to
// Windows-1252. Records collect in a buffer that goes to the sink when it fills and on Flush;
// whatever the sink throws reaches the caller.
class TaggedRecordWriter {
public:
    explicit TaggedRecordWriter(ByteSink& sink);

    // A string record; `value` itself is left as it is.
    void WriteFile(std::string_view tag, const std::string& value);
    void WriteLong(std::string_view tag, std::int32_t value);
    void WriteBoolean(std::string_view tag, bool value);
    void WriteNumber(std::string_view tag, float value);

    // Hands everything written so far to the sink.
    void Flush();

    // Characters written as "?" so far because the code page has no byte for them.
    std::size_t Replaced() const { return replaced_; }

private:
    void beginRecord(std::string_view tag);
    void endRecord();

    ByteSink& sink_;
    std::string buffer_;
    std::size_t replaced_ = 0;
};

}  // namespace vrn
