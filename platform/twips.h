#pragma once

#include <cmath>

namespace vrn {

// Window lengths are twips, 1/1440 inch; on screen they become pixels at the display's dots
// per inch (15 twips a pixel at 96 dpi).
inline constexpr double kTwipsPerInch = 1440.0;

inline int twipsToPixels(double twips, double dotsPerInch) {
    return static_cast<int>(std::nearbyint(twips * dotsPerInch / kTwipsPerInch));
}

inline double pixelsToTwips(double pixels, double dotsPerInch) {
    return pixels * kTwipsPerInch / dotsPerInch;
}

}  // namespace vrn
