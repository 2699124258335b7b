#include "platform/docx/docx_png.h"

#include "platform/docx/docx_error.h"

namespace vrn {

namespace {

constexpr std::string_view kSignature = "\x89PNG\r\n\x1a\n";
// Signature, then the header chunk: length, "IHDR", width, height.
constexpr std::size_t kChunkTypeAt = 12;
constexpr std::size_t kWidthAt = 16;
constexpr std::size_t kHeightAt = 20;
constexpr std::size_t kHeaderEnd = 24;

std::uint32_t BigEndian(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    }
    return value;
}

}  // namespace

PngSize ReadPngSize(std::string_view png) {
    if (png.size() < kHeaderEnd || !png.starts_with(kSignature) ||
        png.substr(kChunkTypeAt, 4) != "IHDR") {
        throw DocxError("the picture is not a PNG image");
    }
    const PngSize size{BigEndian(png, kWidthAt), BigEndian(png, kHeightAt)};
    if (size.width == 0 || size.height == 0) {
        throw DocxError("the picture is empty");
    }
    return size;
}

}  // namespace vrn
