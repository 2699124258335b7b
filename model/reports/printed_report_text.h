#pragma once

#include <cstddef>
#include <string_view>

namespace vrn {

// The number of characters of UTF-8 `text` (continuation bytes are not counted).
inline std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return count;
}

// Descriptions, discussions and the documentation line are printed only from this length on:
// shorter texts are placeholders.
inline constexpr std::size_t kShortestPrintedText = 3;

inline bool isPrintedText(std::string_view text) {
    return characterCount(text) >= kShortestPrintedText;
}

}  // namespace vrn
