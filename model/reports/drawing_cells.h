#pragma once

namespace vrn::cells {

// The shape cells the matrix drawing reads and writes.
inline constexpr char PinX[] = "PinX";  // centre of a shape
inline constexpr char PinY[] = "PinY";
inline constexpr char Width[] = "Width";
inline constexpr char Height[] = "Height";
inline constexpr char Angle[] = "Angle";    // radians, counter-clockwise about the pin
inline constexpr char BeginX[] = "BeginX";  // ends of a connector
inline constexpr char BeginY[] = "BeginY";
inline constexpr char EndX[] = "EndX";
inline constexpr char EndY[] = "EndY";
// 0 left, 1 centred, 2 right.
inline constexpr char ParaHorzAlign[] = "Para.HorzAlign";
// 0 top, 1 middle, 2 bottom.
inline constexpr char VerticalAlign[] = "VerticalAlign";
inline constexpr char TopMargin[] = "TopMargin";  // space above the text

}  // namespace vrn::cells
