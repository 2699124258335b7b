#include "platform/docx/docx_deflater.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

#include "platform/docx/docx_error.h"

namespace vrn {

namespace {

constexpr int kRawDeflateWindowBits = -15;  // negative: no zlib header, as zip wants it
constexpr int kMemoryLevel = 8;
constexpr std::size_t kOutputBlock = 64 * 1024;
constexpr std::size_t kLargestInput = std::numeric_limits<uInt>::max();

[[noreturn]] void Fail(const z_stream& stream, int code) {
    throw DocxError(std::string("cannot compress the document: ") +
                    (stream.msg != nullptr ? stream.msg : zError(code)));
}

}  // namespace

DocxDeflater::DocxDeflater() {
    const int code = deflateInit2(&stream_, kLevel, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel,
                                  Z_DEFAULT_STRATEGY);
    if (code != Z_OK) {
        Fail(stream_, code);
    }
    crc_ = static_cast<std::uint32_t>(::crc32(0L, Z_NULL, 0));
}

DocxDeflater::DocxDeflater(const DocxDeflater& other)
    : crc_(other.crc_), size_(other.size_), compressedSize_(other.compressedSize_) {
    const int code = deflateCopy(&stream_, const_cast<z_stream*>(&other.stream_));
    if (code != Z_OK) {
        Fail(stream_, code);
    }
}

DocxDeflater::~DocxDeflater() {
    deflateEnd(&stream_);
}

void DocxDeflater::Deflate(std::string_view text, const Output& out) {
    while (!text.empty()) {
        const std::size_t taken = std::min(text.size(), kLargestInput);
        const auto* bytes = reinterpret_cast<const Bytef*>(text.data());
        crc_ = static_cast<std::uint32_t>(::crc32(crc_, bytes, static_cast<uInt>(taken)));
        size_ += taken;
        stream_.next_in = const_cast<Bytef*>(bytes);
        stream_.avail_in = static_cast<uInt>(taken);
        run(Z_NO_FLUSH, out);
        text.remove_prefix(taken);
    }
}

void DocxDeflater::Finish(const Output& out) {
    stream_.next_in = nullptr;
    stream_.avail_in = 0;
    run(Z_FINISH, out);
}

// Deflates what is waiting, handing on each full output block; with Z_FINISH until the end.
void DocxDeflater::run(int flush, const Output& out) {
    std::array<Bytef, kOutputBlock> block;
    for (;;) {
        stream_.next_out = block.data();
        stream_.avail_out = static_cast<uInt>(block.size());
        const int code = deflate(&stream_, flush);
        if (code == Z_STREAM_ERROR) {
            Fail(stream_, code);
        }
        const std::size_t produced = block.size() - stream_.avail_out;
        if (produced != 0) {
            compressedSize_ += produced;
            out(std::string_view(reinterpret_cast<const char*>(block.data()), produced));
        }
        if (flush == Z_FINISH ? code == Z_STREAM_END : stream_.avail_out != 0) {
            return;
        }
    }
}

}  // namespace vrn
