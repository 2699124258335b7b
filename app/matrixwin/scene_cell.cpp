#include "app/matrixwin/scene_cell.h"

#include "platform/cell_painter.h"

#include <QApplication>

namespace vrn {

void SceneCell::setCellOrientation(std::int16_t value) {
    orientation_ = value;
    repaint();
}

void SceneCell::setFontbold(bool value) {
    bold_ = value;
    repaint();
}

void SceneCell::setFontItalic(bool value) {
    italic_ = value;
    repaint();
}

void SceneCell::setFontUnderline(bool value) {
    underline_ = value;
    repaint();
}

void SceneCell::setValue(bool value) {
    pressed_ = value;
    repaint();
}

CellLook SceneCell::look() const {
    return CellLook{.text = qtText(),
                    .backColor = qtBackColor(),
                    .cellOrientation = orientation_,
                    .fontSize = fontsize(),
                    .fontBold = bold_,
                    .fontItalic = italic_,
                    .fontUnderline = underline_,
                    .pressed = pressed_};
}

void SceneCell::paint(QPainter& painter, const QRectF& rect) const {
    paintCell(painter, rect, look(), QApplication::palette());
}

}  // namespace vrn

namespace vrn {

QString SceneCell::toolTip() const {
    return cellToolTip(QApplication::font(), paintRect(), look());
}

}  // namespace vrn
