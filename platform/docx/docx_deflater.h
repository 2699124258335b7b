#pragma once

#include <zlib.h>

#include <cstdint>
#include <functional>
#include <string_view>

namespace vrn {

// A raw deflate stream, as a zip entry holds it, with the checksum and sizes of what went in.
// Compressed bytes are handed to `out` as they come; a copy of the stream can be ended while
// the original goes on. Failures throw DocxError.
class DocxDeflater {
public:
    using Output = std::function<void(std::string_view compressed)>;

    // Fast compression: the report's XML repeats itself and deflates well at any level.
    static constexpr int kLevel = 1;

    DocxDeflater();
    ~DocxDeflater();
    DocxDeflater(const DocxDeflater& other);
    DocxDeflater& operator=(const DocxDeflater&) = delete;

    void Deflate(std::string_view text, const Output& out);
    // Ends the stream; nothing may follow.
    void Finish(const Output& out);

    std::uint32_t crc32() const { return crc_; }
    std::uint64_t size() const { return size_; }
    std::uint64_t compressedSize() const { return compressedSize_; }

private:
    void run(int flush, const Output& out);

    z_stream stream_{};
    std::uint32_t crc_ = 0;
    std::uint64_t size_ = 0;
    std::uint64_t compressedSize_ = 0;
};

}  // namespace vrn
