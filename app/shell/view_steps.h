#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vrn {

// What a scale step changes of a document: the practice height and width and the group height
// in twips, and the practice font size in points.
struct ScaleSizes {
    float practiceHeight = 0;
    float practiceWidth = 0;
    float groupHeight = 0;
    std::int16_t fontSize = 0;

    bool operator==(const ScaleSizes&) const = default;
};

// Below these a matrix can no longer be read: the text no longer fits its cells and the cells
// run into the axis buttons and the corner frame. Scale Down stops short of them; Font Down
// stops at the font size.
inline constexpr ScaleSizes kSmallestLegible{
    .practiceHeight = 400, .practiceWidth = 1200, .groupHeight = 400, .fontSize = 8};
// Beyond these a cell cannot be shown at all.
inline constexpr float kMaxSizeTwips = 1.0e7F;
inline constexpr std::int16_t kMaxFontPoints = 2160;

// Scale Down steps asked for at the smallest legible size, and the sizes they were refused at.
// Scale Up takes them back first, so that as many steps up as there were down give the sizes
// back; they lapse once the sizes change in any other way.
struct HeldScaleSteps {
    int count = 0;
    ScaleSizes at{};
};

// The sizes after one scale step of `delta` twips up (`direction` 1) or down (-1). Every size
// moves by the step, the font by a point, or none does: a step down that would take one below
// its smallest legible size is held back in `held` instead, and a step up beyond what a cell
// can show is refused. A size already below its smallest legible size does not stop a step up.
inline ScaleSizes scaledSizes(const ScaleSizes& sizes, int direction, float delta,
                              HeldScaleSteps& held) {
    const float step = std::abs(delta);
    if (!std::isfinite(step) || step == 0) {
        return sizes;
    }
    if (held.at != sizes) {
        held = {};
    }
    if (direction > 0 && held.count > 0) {
        --held.count;
        return sizes;
    }
    const float signedStep = direction > 0 ? step : -step;
    const ScaleSizes stepped{
        .practiceHeight = sizes.practiceHeight + signedStep,
        .practiceWidth = sizes.practiceWidth + signedStep,
        .groupHeight = sizes.groupHeight + signedStep,
        .fontSize = static_cast<std::int16_t>(sizes.fontSize + (direction > 0 ? 1 : -1))};
    if (direction > 0) {
        const bool fits = std::max({stepped.practiceHeight, stepped.practiceWidth,
                                    stepped.groupHeight}) <= kMaxSizeTwips &&
                          sizes.fontSize < kMaxFontPoints;
        return fits ? stepped : sizes;
    }
    const bool legible = stepped.practiceHeight >= kSmallestLegible.practiceHeight &&
                         stepped.practiceWidth >= kSmallestLegible.practiceWidth &&
                         stepped.groupHeight >= kSmallestLegible.groupHeight &&
                         stepped.fontSize >= kSmallestLegible.fontSize;
    if (legible) {
        return stepped;
    }
    held = {.count = held.count + 1, .at = sizes};
    return sizes;
}

// A practice font size after one step of one point up or down; it stops at the smallest
// legible size and at the largest a cell can show, and a size already beyond either is left
// where it is rather than pulled in by a step the other way.
inline std::int16_t steppedFontSize(std::int16_t points, int step) {
    if (step > 0) {
        return points < kMaxFontPoints ? static_cast<std::int16_t>(points + 1) : points;
    }
    return points > kSmallestLegible.fontSize ? static_cast<std::int16_t>(points - 1) : points;
}

}  // namespace vrn
