#pragma once

#include <cmath>

#include "model/collection.h"
#include "model/interfaces/line_control.h"
#include "model/interfaces/window_control.h"

namespace vrn {

// Small geometry steps that every layout member repeats. Lengths are twips.

inline void ShiftControl(WindowControl& control, float x, float Y) {
    control.setLeft(control.left() + x);
    control.setTop(control.top() + Y);
}

inline void ShiftLine(LineControl& line, float x, float Y) {
    line.setX1(line.X1() + x);
    line.setX2(line.X2() + x);
    line.setY1(line.Y1() + Y);
    line.setY2(line.Y2() + Y);
}

inline void ShiftLines(const Collection<LineControl>& lines, float x, float Y) {
    for (const auto& line : lines) {
        ShiftLine(*line, x, Y);
    }
}

inline void PlaceLine(LineControl& line, float X1, float Y1, float X2, float Y2, bool visible) {
    line.setX1(X1);
    line.setY1(Y1);
    line.setX2(X2);
    line.setY2(Y2);
    line.setVisible(visible);
}

// A twips value made whole: halves go to the even neighbour, as the run time's conversions do.
// The value stays a float, so a wide matrix cannot overflow a 16-bit integer here.
inline float WholeTwips(float twips) {
    return std::nearbyint(twips);
}

}  // namespace vrn
