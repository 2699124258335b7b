#pragma once

namespace vrn::layout {

// Fixed distances of the matrix layout, in twips.

// The axis title buttons: thin for small practice fonts, thicker for larger ones.
inline constexpr float kAxisButtonThin = 200;    // fonts up to kAxisButtonThinFont points
inline constexpr float kAxisButtonMedium = 370;  // fonts up to kAxisButtonMediumFont points
inline constexpr float kAxisButtonThick = 450;
inline constexpr int kAxisButtonThinFont = 9;
inline constexpr int kAxisButtonMediumFont = 15;

// The line that joins the alternative arrows starts this far right of the down-sort button's left
// edge and ends this far above the right-sort button's top.
inline constexpr float kAlternativeLineInset = 35;

// The description text sits this far inside its frame's sides and bottom.
inline constexpr float kDescriptionTextMargin = 70;

// The legends start this far above the bottom of one practice height below the drawing.
inline constexpr float kLegendRaise = 150;
// The gap between the legends and the attribution block under them.
inline constexpr float kAttributionGap = 30;
// The attribution block stands this far right of the layout origin x; x is 1 when the window is
// not scrolled, so the block starts 20 twips in from the drawing's left edge.
inline constexpr float kAttributionIndent = 19;

// Space between a state's roof and its practices: little when the group bands fill it.
inline constexpr float kRoofMarginOverGroups = 50;
inline constexpr float kRoofMarginHorizontal = 350;
inline constexpr float kRoofMarginVertical = 300;

}  // namespace vrn::layout
