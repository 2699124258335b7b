#pragma once

#include "platform/cell_painter.h"

#include <QApplication>
#include <QPainter>

namespace vrn {

// Draws a control's text in the application's font at `points`, greyed when disabled; on a
// coloured `back` in the colour that reads best on it.
inline void drawSceneText(QPainter& painter, const QRectF& rect, const QString& text, float points,
                          int alignment, bool enabled, const QColor& back = {}) {
    painter.save();
    QFont font = QApplication::font();
    font.setPointSizeF(points > 0 ? points : 8.0);
    painter.setFont(font);
    const QPalette& palette = QApplication::palette();
    const QColor usual =
        palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.setPen(enabled ? readableTextColor(back, usual) : usual);
    painter.setClipRect(rect);
    painter.drawText(rect, alignment | Qt::TextWordWrap, text);
    painter.restore();
}

}  // namespace vrn
