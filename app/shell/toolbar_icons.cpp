#include "app/shell/toolbar_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>
#include <map>

namespace vrn {

namespace {

// Every icon is drawn on a 24 by 24 grid and scaled to the sizes below.
constexpr qreal kGrid = 24;
constexpr int kSizes[] = {16, 24, 32, 48};

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(232, 190, 80);
const QColor kDisk(60, 100, 170);
const QColor kAccent(40, 120, 200);

void page(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const qreal fold = r.width() * 0.35;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawPolyline(
        QPolygonF({QPointF(r.right() - fold, r.top()), QPointF(r.right() - fold, r.top() + fold),
                   QPointF(r.right(), r.top() + fold)}));
}

void letter(QPainter& p, const QString& text, bool bold, bool italic, bool underline,
            const QRectF& r = QRectF(2, 1, 20, 22)) {
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(19);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, text);
}

void magnifier(QPainter& p, bool plus) {
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.save();
    p.setPen(QPen(kInk, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.restore();
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (plus) {
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    }
}

void sizeLetter(QPainter& p, bool up) {
    letter(p, QStringLiteral("A"), true, false, false, QRectF(0, 3, 16, 20));
    p.setBrush(kAccent);
    p.setPen(Qt::NoPen);
    const QPolygonF arrow = up ? QPolygonF({QPointF(15, 12), QPointF(23, 12), QPointF(19, 5)})
                               : QPolygonF({QPointF(15, 12), QPointF(23, 12), QPointF(19, 19)});
    p.drawPolygon(arrow);
}

using Painter = std::function<void(QPainter&)>;

const std::map<QString, Painter>& painters() {
    static const std::map<QString, Painter> table{
        {QStringLiteral("New"), [](QPainter& p) { page(p, QRectF(5, 2, 14, 20)); }},
        {QStringLiteral("Open"),
         [](QPainter& p) {
             p.setBrush(kFolder.darker(115));
             p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(9, 5), QPointF(11, 7), QPointF(20, 7),
                                      QPointF(20, 19), QPointF(2, 19)}));
             p.setBrush(kFolder);
             p.drawPolygon(
                 QPolygonF({QPointF(2, 19), QPointF(6, 10), QPointF(23, 10), QPointF(20, 19)}));
         }},
        {QStringLiteral("Save"),
         [](QPainter& p) {
             p.setBrush(kDisk);
             p.drawRect(QRectF(3, 3, 18, 18));
             p.setBrush(kPaper);
             p.drawRect(QRectF(6, 3, 12, 7));
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(7, 14, 10, 7));
         }},
        {QStringLiteral("Print"),
         [](QPainter& p) {
             page(p, QRectF(7, 2, 10, 9));
             p.setBrush(QColor(190, 190, 190));
             p.drawRoundedRect(QRectF(2, 10, 20, 9), 2, 2);
             p.setBrush(kPaper);
             p.drawRect(QRectF(6, 16, 12, 6));
         }},
        {QStringLiteral("Generate"),
         [](QPainter& p) {
             p.drawLine(QPointF(7, 7), QPointF(17, 7));
             p.drawLine(QPointF(7, 7), QPointF(12, 17));
             p.setBrush(kAccent);
             p.drawRect(QRectF(2, 3, 8, 7));
             p.setBrush(kFolder);
             p.drawEllipse(QRectF(14, 3, 8, 8));
             p.setBrush(QColor(120, 190, 120));
             p.drawRect(QRectF(8, 14, 8, 7));
         }},
        {QStringLiteral("Cut"),
         [](QPainter& p) {
             p.drawLine(QPointF(8, 15), QPointF(17, 2));
             p.drawLine(QPointF(16, 15), QPointF(7, 2));
             p.setBrush(Qt::NoBrush);
             p.save();
             p.setPen(QPen(kAccent, 2));
             p.drawEllipse(QPointF(7, 18), 3.5, 3.5);
             p.drawEllipse(QPointF(17, 18), 3.5, 3.5);
             p.restore();
         }},
        {QStringLiteral("Copy"),
         [](QPainter& p) {
             page(p, QRectF(3, 2, 12, 15));
             page(p, QRectF(9, 7, 12, 15));
         }},
        {QStringLiteral("Paste"),
         [](QPainter& p) {
             p.setBrush(kFolder.darker(130));
             p.drawRoundedRect(QRectF(3, 4, 14, 18), 2, 2);
             p.setBrush(QColor(200, 200, 200));
             p.drawRect(QRectF(7, 2, 6, 4));
             page(p, QRectF(10, 9, 11, 13));
         }},
        {QStringLiteral("Bold"),
         [](QPainter& p) { letter(p, QStringLiteral("B"), true, false, false); }},
        {QStringLiteral("Italic"),
         [](QPainter& p) { letter(p, QStringLiteral("I"), false, true, false); }},
        {QStringLiteral("Underline"),
         [](QPainter& p) { letter(p, QStringLiteral("U"), false, false, true); }},
        {QStringLiteral("ScaleUp"), [](QPainter& p) { magnifier(p, true); }},
        {QStringLiteral("ScaleDown"), [](QPainter& p) { magnifier(p, false); }},
        {QStringLiteral("FontUp"), [](QPainter& p) { sizeLetter(p, true); }},
        {QStringLiteral("FontDown"), [](QPainter& p) { sizeLetter(p, false); }},
    };
    return table;
}

}  // namespace

QIcon toolbarIcon(const QString& key) {
    const auto found = painters().find(key);
    if (found == painters().end()) {
        return {};
    }
    QIcon icon;
    for (const int size : kSizes) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.scale(size / kGrid, size / kGrid);
        painter.setPen(QPen(kInk, 1.2));
        found->second(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

}  // namespace vrn
