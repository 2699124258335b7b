#include "platform/cell_button.h"

#include "platform/cell_painter.h"
#include "platform/ole_color.h"
#include "platform/twips.h"
#include "platform/user_text.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cmath>
#include <stdexcept>

namespace vrn {

CellButton::CellButton(QWidget* parent) : CellButton(QString(), parent) {}

CellButton::CellButton(const QString& text, QWidget* parent)
    : QAbstractButton(parent), backColor_(kOleButtonFace) {
    setText(text);
    setFocusPolicy(Qt::StrongFocus);
    applyGeometry();
}

void CellButton::setText(const QString& text) {
    look_.text = text;
    QString literal = text;
    QAbstractButton::setText(literal.replace(QLatin1Char('&'), QLatin1String("&&")));
}

double CellButton::checkedLength(double twips) const {
    if (!std::isfinite(twips) || std::fabs(twips) > kMaxTwips) {
        throw std::invalid_argument("cell position or size out of range");
    }
    return twips;
}

void CellButton::setLeft(double twips) {
    left_ = checkedLength(twips);
    applyGeometry();
}

void CellButton::setTop(double twips) {
    top_ = checkedLength(twips);
    applyGeometry();
}

void CellButton::setCellWidth(double twips) {
    if (checkedLength(twips) < 0) {
        throw std::invalid_argument("negative cell width");
    }
    width_ = twips;
    applyGeometry();
}

void CellButton::setCellHeight(double twips) {
    if (checkedLength(twips) < 0) {
        throw std::invalid_argument("negative cell height");
    }
    height_ = twips;
    applyGeometry();
}

void CellButton::applyGeometry() {
    const double dpiX = logicalDpiX();
    const double dpiY = logicalDpiY();
    setGeometry(twipsToPixels(left_, dpiX), twipsToPixels(top_, dpiY), twipsToPixels(width_, dpiX),
                twipsToPixels(height_, dpiY));
}

void CellButton::setBackColor(qint32 oleColor) {
    backColor_ = oleColor;
    update();
}

void CellButton::setCellOrientation(int orientation) {
    if (orientation != CellLook::kAlong && orientation != CellLook::kTurned) {
        throw std::invalid_argument("cell orientation must be 0 or 3");
    }
    look_.cellOrientation = orientation;
    update();
}

void CellButton::setFontSize(double points) {
    if (!(points >= 1.0 && points <= kMaxFontSize)) {
        throw std::invalid_argument("font size out of range");
    }
    look_.fontSize = points;
    updateGeometry();
    update();
}

void CellButton::setFontBold(bool bold) {
    look_.fontBold = bold;
    update();
}

void CellButton::setFontItalic(bool italic) {
    look_.fontItalic = italic;
    update();
}

void CellButton::setFontUnderline(bool underline) {
    look_.fontUnderline = underline;
    update();
}

CellLook CellButton::look() const {
    CellLook result = look_;
    result.backColor = colorFromOle(backColor_, palette());
    result.pressed = isDown();
    return result;
}

bool CellButton::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !toolTip().isEmpty()) {
        return QAbstractButton::event(event);
    }
    const QString whole = cellToolTip(font(), QRectF(rect()), look_);
    if (whole.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(),
                           plainToolTip(whole, screen()), this);
    }
    return true;
}

QSize CellButton::sizeHint() const {
    QFont shown = font();
    shown.setPointSizeF(look_.fontSize);
    shown.setBold(look_.fontBold);
    const QSize text = QFontMetrics(shown).size(Qt::TextSingleLine, look_.text);
    const QSize along = text + QSize(12, 8);
    return look_.cellOrientation == CellLook::kTurned ? along.transposed() : along;
}

void CellButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    paintCell(painter, rect(), look(), palette());
}

}  // namespace vrn
