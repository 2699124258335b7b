#pragma once

#include <string_view>

namespace vrn {

// What ends a text shortened to fit: "…" (U+2026) in UTF-8.
inline constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

}  // namespace vrn
