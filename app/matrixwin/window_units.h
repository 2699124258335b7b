#pragma once

#include "platform/twips.h"

#include <algorithm>

namespace vrn {

// The matrix window draws at 15 twips a pixel, whatever the screen.
inline constexpr double kMatrixDotsPerInch = 96.0;

// A window length in twips as pixels a window can take.
inline int windowPixels(float twips) {
    constexpr float kMaxTwips = 1.0e6F;
    return std::max(1, twipsToPixels(std::clamp(twips, 0.0F, kMaxTwips), kMatrixDotsPerInch));
}

inline float windowTwips(int pixels) {
    return static_cast<float>(pixelsToTwips(pixels, kMatrixDotsPerInch));
}

}  // namespace vrn
