#pragma once

#include <algorithm>
#include <string_view>

namespace kt {

// Column and table names, like the catalogue's text, compare without regard to ASCII case.
inline bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace kt
