#pragma once

#include "platform/cell_painter.h"

#include <QApplication>
#include <QPainter>

namespace vrn {

// The font a control's text is drawn in: the application's at `points` (8 when unset).
inline QFont sceneFont(float points) {
    constexpr double kDefaultPoints = 8.0;
    QFont font = QApplication::font();
    font.setPointSizeF(points > 0 ? points : kDefaultPoints);
    return font;
}

// Draws a control's text in sceneFont at `points`, greyed when disabled; on a coloured `back` in
// the colour that reads best on it.
inline void drawSceneText(QPainter& painter, const QRectF& rect, const QString& text, float points,
                          int alignment, bool enabled, const QColor& back = {}) {
    painter.save();
    painter.setFont(sceneFont(points));
    const QPalette& palette = QApplication::palette();
    const QColor usual =
        palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.setPen(enabled ? readableTextColor(back, usual) : usual);
    painter.setClipRect(rect);
    painter.drawText(rect, alignment | Qt::TextWordWrap, text);
    painter.restore();
}

}  // namespace vrn
