#pragma once

#include "platform/cell_look.h"

#include <QPainter>
#include <QPalette>
#include <QRectF>

namespace vrn {

// Paints one cell into rect: a raised panel (sunken while pressed) in the back colour with the
// text centred and wrapped, turned for a column. The text is drawn in the painter's font family
// at the cell's size and style. The painter's state is left as it was.
void paintCell(QPainter& painter, const QRectF& rect, const CellLook& look,
               const QPalette& palette);

}  // namespace vrn
