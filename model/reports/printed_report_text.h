#pragma once

#include <cstddef>
#include <string_view>

namespace vrn {

// Whether `byte` starts a UTF-8 character (is not a continuation byte).
inline bool startsCharacter(char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U;
}

// The number of characters of UTF-8 `text`.
inline std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += startsCharacter(byte) ? 1 : 0;
    }
    return count;
}

// Descriptions, discussions and the documentation line are printed only from this length on:
// shorter texts are placeholders.
inline constexpr std::size_t kShortestPrintedText = 3;

// Counts no further than it needs to: every page footer asks this of the same, maybe long, text.
inline bool isPrintedText(std::string_view text) {
    std::size_t count = 0;
    for (const char byte : text) {
        count += startsCharacter(byte) ? 1 : 0;
        if (count >= kShortestPrintedText) {
            return true;
        }
    }
    return false;
}

}  // namespace vrn
