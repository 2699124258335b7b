#pragma once

#include "platform/cell_look.h"

#include <QFont>
#include <QPainter>
#include <QPalette>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace vrn {

// How a cell's text is drawn in the room it has: wrapped at word breaks at the cell's size;
// when that does not fit, a point or two smaller; when even that does not fit, as many whole
// lines as there is room for, the last one ending in "…". Nothing is ever cut mid-line.
struct CellTextFit {
    QFont font;     // the font it is drawn in
    QString shown;  // the text as drawn; its lines are separated by '\n' when elided
    bool elided = false;
};

// The room the text of a cell of `rect` has, laid along the text (turned for a column).
QSizeF cellTextSpace(const QRectF& rect, const CellLook& look);
// The cell's font: `base` at the cell's size and style.
QFont cellFont(const QFont& base, const CellLook& look);
CellTextFit fitCellText(const QFont& font, const QSizeF& space, const QString& text);
// The whole text of a cell whose text is shortened to fit `rect`, to show as its tool tip; empty
// when it shows whole.
QString cellToolTip(const QFont& base, const QRectF& rect, const CellLook& look);

// The text colour that reads best on `back`: black or white, whichever stands out more to the
// eye (the lightness contrast of APCA, which judges white on pure red or blue as the more legible,
// where a plain luminance ratio would pick black on red). An invalid `back` (the palette's button
// face) keeps the palette's `usual` text colour.
QColor readableTextColor(const QColor& back, const QColor& usual);

// Paints one cell into rect: a raised panel (sunken while pressed) in the back colour with the
// text centred and fitted as fitCellText says, turned for a column, in readableTextColor. The text
// is drawn in the painter's font family at the cell's size and style. The painter's state is left
// as it was.
void paintCell(QPainter& painter, const QRectF& rect, const CellLook& look,
               const QPalette& palette);

}  // namespace vrn
