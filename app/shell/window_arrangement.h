#pragma once

class QMdiArea;
class QMdiSubWindow;

namespace vrn {

// The Window menu's arrangements that the window area lacks. Minimised windows keep their place.
// Windows one above the other, each as wide as the area.
void tileHorizontally(QMdiArea& area);
// Windows side by side, each as high as the area.
void tileVertically(QMdiArea& area);
// Minimised windows in rows along the bottom of the area.
void arrangeIcons(QMdiArea& area);
// Windows overlapping down and to the right, each a title bar below the last and large enough
// to work in.
void cascade(QMdiArea& area);
// Shrinks and moves a window in its normal state so that it lies wholly inside the area; nothing
// while the area is not shown.
void fitInside(QMdiArea& area, QMdiSubWindow& window);

}  // namespace vrn
