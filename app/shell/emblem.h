#pragma once

#include <QIcon>
#include <QPainter>
#include <QRectF>

namespace vrn {

// The program's picture: a small matrix of coloured cells, drawn into `rect`.
void paintEmblem(QPainter& painter, const QRectF& rect);

// The emblem as the program's window icon.
QIcon programIcon();

}  // namespace vrn
