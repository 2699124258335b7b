#include "app/matrixwin/scene_fixed_control.h"

#include "app/matrixwin/scene_text.h"
#include "platform/cell_painter.h"

#include <QStyle>
#include <QStyleOptionButton>

namespace vrn {

namespace {

constexpr qint32 kOleWindowBackground = oleSystemColor(0x05);
constexpr qreal kTextMargin = 3;

}  // namespace

SceneFixedControl::SceneFixedControl(SceneContext& context, Kind kind)
    : SceneControlBase(context), kind_(kind) {
    if (kind == Kind::TextBox) {
        setBackColor(kOleWindowBackground);
    }
}

CellLook SceneFixedControl::buttonLook(const QRectF& rect) const {
    // A button standing on end (the target axis title) reads along its length.
    const bool upright = rect.height() > 2 * rect.width();
    return CellLook{.text = qtText(),
                    .backColor = qtBackColor(),
                    .cellOrientation = upright ? CellLook::kTurned : CellLook::kAlong,
                    .fontSize = fontsize()};
}

QString SceneFixedControl::toolTip() const {
    if (kind_ != Kind::Button) {
        return {};
    }
    return cellToolTip(QApplication::font(), paintRect(), buttonLook(paintRect()));
}

void SceneFixedControl::paint(QPainter& painter, const QRectF& rect) const {
    const QRectF inner = rect.adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin);
    switch (kind_) {
        case Kind::Button:
            paintCell(painter, rect, buttonLook(rect), QApplication::palette());
            break;
        case Kind::Label:
            drawSceneText(painter, rect, qtText(), fontsize(), Qt::AlignLeft | Qt::AlignTop,
                          Enabled());
            break;
        case Kind::Frame:
            painter.save();
            painter.setPen(QApplication::palette().color(QPalette::Mid));
            painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
            drawSceneText(painter, inner, qtText(), fontsize(), Qt::AlignLeft | Qt::AlignTop,
                          Enabled());
            break;
        case Kind::TextBox:
            painter.fillRect(rect, qtBackColor());
            painter.save();
            painter.setPen(QApplication::palette().color(QPalette::Dark));
            painter.drawRect(rect.adjusted(0.5, 0.5, -0.5, -0.5));
            painter.restore();
            drawSceneText(painter, inner, qtText(), fontsize(), Qt::AlignLeft | Qt::AlignTop,
                          Enabled());
            break;
    }
}

void SceneCheckBox::setValue(bool checked) {
    checked_ = checked;
    repaint();
}

void SceneCheckBox::paint(QPainter& painter, const QRectF& rect) const {
    const qreal side = std::min<qreal>(rect.height(), 13);
    QStyleOptionButton box;
    box.rect = QRectF(rect.left(), rect.center().y() - side / 2, side, side).toRect();
    box.state = (checked_ ? QStyle::State_On : QStyle::State_Off) |
                (Enabled() ? QStyle::State_Enabled : QStyle::State_None);
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, &painter);
    drawSceneText(painter, rect.adjusted(side + kTextMargin, 0, 0, 0), qtText(), fontsize(),
                  Qt::AlignLeft | Qt::AlignVCenter, Enabled());
}

}  // namespace vrn
