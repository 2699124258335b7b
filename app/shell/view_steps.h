#pragma once

#include <algorithm>
#include <cstdint>

namespace vrn {

// Limits of the scale and font steps: no step takes a size below one scale step (and never below
// a pixel's worth) or a font below 4 points, and none beyond what a cell can show. A value
// already outside its limits is left as it is rather than pulled in by a step the other way.
inline constexpr std::int16_t kMinFontPoints = 4;
inline constexpr float kMinSizeTwips = 15;
inline constexpr std::int16_t kMaxFontPoints = 2160;
inline constexpr float kMaxSizeTwips = 1.0e7F;

template <class T>
T steppedWithin(T value, T step, T floor, T ceiling) {
    const T stepped = static_cast<T>(value + step);
    return std::min(std::max(stepped, std::min(value, floor)), std::max(value, ceiling));
}

// A layout size after one scale step of `step` twips (negative to scale down).
inline float scaledSize(float size, float step, float delta_updown) {
    const float floor = std::max(delta_updown < 0 ? -delta_updown : delta_updown, kMinSizeTwips);
    return steppedWithin(size, step, floor, kMaxSizeTwips);
}

// A practice font size after one step of one point up or down.
inline std::int16_t steppedFontSize(std::int16_t points, int step) {
    return static_cast<std::int16_t>(
        steppedWithin<int>(points, step, kMinFontPoints, kMaxFontPoints));
}

}  // namespace vrn
