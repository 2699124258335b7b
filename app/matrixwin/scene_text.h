#pragma once

#include <QApplication>
#include <QPainter>

namespace vrn {

// Draws a control's text in the application's font at `points`, greyed when disabled.
inline void drawSceneText(QPainter& painter, const QRectF& rect, const QString& text, float points,
                          int alignment, bool enabled) {
    painter.save();
    QFont font = QApplication::font();
    font.setPointSizeF(points > 0 ? points : 8.0);
    painter.setFont(font);
    const QPalette& palette = QApplication::palette();
    painter.setPen(
        palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.setClipRect(rect);
    painter.drawText(rect, alignment | Qt::TextWordWrap, text);
    painter.restore();
}

}  // namespace vrn
