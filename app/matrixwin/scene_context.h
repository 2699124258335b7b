#pragma once

#include "app/matrixwin/matrix_canvas.h"
#include "platform/twips.h"

#include <algorithm>

namespace vrn {

// What the controls of one matrix window share: the canvas they are drawn on, the dots per inch
// for turning twips into canvas pixels, and the stacking order. The window owns it and takes
// every control off it before it goes.
struct SceneContext {
    MatrixCanvas* canvas = nullptr;
    double dotsPerInch = 96.0;
    qreal frontZ = 0;
    qreal backZ = 0;

    // Far beyond any drawing, well inside what a painter can take.
    static constexpr qreal kMaxPixels = 1.0e6;

    // A length in twips as canvas pixels; lengths that cannot be drawn become 0 or the largest.
    qreal pixels(double twips) const {
        return std::clamp<qreal>(twips * dotsPerInch / kTwipsPerInch, -kMaxPixels, kMaxPixels);
    }
    qreal extent(double twips) const { return std::max<qreal>(0, pixels(twips)); }

    // 0 brings to the front, anything else sends to the back.
    qreal nextZ(int position) { return position == 0 ? ++frontZ : --backZ; }
};

}  // namespace vrn
