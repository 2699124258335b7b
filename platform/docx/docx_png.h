#pragma once

#include <cstdint>
#include <string_view>

namespace vrn {

struct PngSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The pixel size from a PNG file's header. Throws DocxError when `png` does not start like a PNG
// file or names an empty picture.
PngSize ReadPngSize(std::string_view png);

}  // namespace vrn
