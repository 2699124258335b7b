#pragma once

#include <string>
#include <string_view>

#include "model/file/byte_sink.h"

namespace vrn {

// Collects what is written, for a writer whose result stays in memory.
class StringSink : public ByteSink {
public:
    void Write(std::string_view bytes) override { bytes_.append(bytes); }
    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace vrn
