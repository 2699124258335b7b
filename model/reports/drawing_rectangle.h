#pragma once

#include <memory>

#include "model/interfaces/window_control.h"
#include "model/reports/drawing_page.h"

namespace vrn {

// Window twips per drawing unit. The drawing is deliberately a little smaller than the window
// (1440 twips make an inch on screen).
inline constexpr float kTwipsPerDrawingUnit = 1500.0f;

// A window x or length in drawing units.
inline double DrawingLength(float twips) {
    return twips / kTwipsPerDrawingUnit;
}
// A window y in drawing units: the window's y grows downwards, the drawing's upwards.
inline double DrawingY(float twips) {
    return -(twips / kTwipsPerDrawingUnit);
}

// Drops a "Rectangle" where `control` sits on the window, offset by (X_offset, Y_offset) twips,
// as wide as the control plus `Width_adjust` and as high as it; `Rotate` turns it a quarter
// turn, exchanging width and height (the adjustment is then not applied). The shape shows the
// control's text: our controls carry one text, a label's or frame's caption or a button's or
// cell's text, so `Use_Caption` has nothing left to choose. `Keep_Style` keeps the master's
// outline and fill; otherwise the shape gets the style "None". `objStencil` is not used.
std::shared_ptr<DrawingShape> Visio_Rectangle(DrawingPage& objPage, DrawingStencil* objStencil,
                                              DrawingMasters& objMasters,
                                              const WindowControl& control, bool Keep_Style,
                                              bool Rotate, float X_offset, float Y_offset,
                                              float Width_adjust, bool Use_Caption);

}  // namespace vrn
