#include "platform/cell_painter.h"

#include <qdrawutil.h>

namespace vrn {

namespace {

constexpr int kBevelWidth = 1;
constexpr qreal kTextMargin = 2.0;

}  // namespace

void paintCell(QPainter& painter, const QRectF& rect, const CellLook& look,
               const QPalette& palette) {
    if (rect.isEmpty()) {
        return;
    }
    painter.save();
    const QBrush fill(look.backColor.isValid() ? look.backColor : palette.color(QPalette::Button));
    qDrawShadePanel(&painter, rect.toAlignedRect(), palette, look.pressed, kBevelWidth, &fill);

    QFont font = painter.font();
    font.setPointSizeF(look.fontSize > 0 ? look.fontSize : 8.0);
    font.setBold(look.fontBold);
    font.setItalic(look.fontItalic);
    font.setUnderline(look.fontUnderline);
    painter.setFont(font);
    painter.setPen(palette.color(QPalette::ButtonText));
    painter.setClipRect(rect);

    QRectF textRect = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    if (look.pressed) {
        textRect.translate(1, 1);
    }
    if (look.cellOrientation == CellLook::kTurned) {
        // Turn about the centre and lay the text out along the cell's height.
        const QPointF centre = textRect.center();
        painter.translate(centre);
        painter.rotate(-90);
        textRect = QRectF(-textRect.height() / 2, -textRect.width() / 2, textRect.height(),
                          textRect.width());
    }
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextWordWrap, look.text);
    painter.restore();
}

}  // namespace vrn
