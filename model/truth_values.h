#pragma once

#include <cstdint>

namespace vrn {

// The published Boolean fields hold True as -1 and False as 0.
inline constexpr std::int16_t kTrue = -1;
inline constexpr std::int16_t kFalse = 0;

}  // namespace vrn
