#include "app/shell/emblem.h"

#include <QPixmap>

#include <array>

namespace vrn {

namespace {

constexpr int kCells = 4;

// One row per existing practice, one column per target practice: reinforcing, interfering,
// open and empty meetings.
constexpr std::array<std::array<char, kCells>, kCells> kPattern{{
    {'+', '-', ' ', '+'},
    {' ', '+', '?', ' '},
    {'-', ' ', '+', '+'},
    {'+', '?', ' ', '-'},
}};

QColor cellColor(char value) {
    switch (value) {
        case '+':
            return QColor(90, 170, 90);
        case '-':
            return QColor(210, 90, 70);
        case '?':
            return QColor(230, 190, 70);
        default:
            return QColor(235, 235, 235);
    }
}

}  // namespace

void paintEmblem(QPainter& painter, const QRectF& rect) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(rect.width(), rect.height());
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    const qreal header = side * 0.2;
    const qreal cell = (side - header) / kCells;
    painter.setPen(QPen(QColor(60, 60, 60), std::max<qreal>(1, side / 64)));
    painter.setBrush(QColor(70, 110, 170));
    painter.drawRect(QRectF(square.left() + header, square.top(), side - header, header));
    painter.drawRect(QRectF(square.left(), square.top() + header, header, side - header));
    for (int row = 0; row < kCells; ++row) {
        for (int column = 0; column < kCells; ++column) {
            painter.setBrush(cellColor(kPattern[row][column]));
            painter.drawRect(QRectF(square.left() + header + column * cell,
                                    square.top() + header + row * cell, cell, cell));
        }
    }
    painter.restore();
}

QIcon programIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paintEmblem(painter, QRectF(0, 0, size, size));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vrn
