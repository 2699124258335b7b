#pragma once

class QMdiArea;

namespace vrn {

// The Window menu's arrangements that the window area lacks. Minimised windows keep their place.
// Windows one above the other, each as wide as the area.
void tileHorizontally(QMdiArea& area);
// Windows side by side, each as high as the area.
void tileVertically(QMdiArea& area);
// Minimised windows in rows along the bottom of the area.
void arrangeIcons(QMdiArea& area);

}  // namespace vrn
