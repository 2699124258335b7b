#include "app/matrixwin/scene_line.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QPen>

#include <algorithm>

namespace vrn {

namespace {

// A border wider than this draws as this; the canvas never gets a pen it cannot stroke.
constexpr int kMaxPenPixels = 100;

}  // namespace

SceneLine::SceneLine(SceneContext& context) : context_(&context) {
    context.canvas->add(*this);
}

SceneLine::~SceneLine() {
    if (context_ != nullptr) {
        context_->canvas->remove(*this);
    }
}

void SceneLine::forgetScene() {
    context_ = nullptr;
    leaveCanvas();
}

void SceneLine::setX1(float value) {
    x1_ = value;
    place();
}

void SceneLine::setY1(float value) {
    y1_ = value;
    place();
}

void SceneLine::setX2(float value) {
    x2_ = value;
    place();
}

void SceneLine::setY2(float value) {
    y2_ = value;
    place();
}

void SceneLine::setVisible(bool value) {
    if (value == visible_) {
        return;
    }
    visible_ = value;
    wantShown(context_ != nullptr ? context_->canvas : nullptr, value);
}

void SceneLine::setBorderWidth(std::int16_t value) {
    borderWidth_ = value;
    place();
}

int SceneLine::penPixels() const {
    return std::clamp<int>(borderWidth_, 1, kMaxPenPixels);
}

void SceneLine::place() {
    if (paintShown()) {
        context_->canvas->changed();
    }
}

QRectF SceneLine::computeRect() const {
    if (context_ == nullptr) {
        return {};
    }
    // The rectangle the stroke covers, so that a level line still meets what it crosses.
    const qreal half = penPixels() / 2.0 + 1;
    return QRectF(QPointF(context_->pixels(x1_), context_->pixels(y1_)),
                  QPointF(context_->pixels(x2_), context_->pixels(y2_)))
        .normalized()
        .adjusted(-half, -half, half, half);
}

void SceneLine::paint(QPainter& painter, const QRectF&) const {
    if (context_ == nullptr) {
        return;
    }
    painter.setPen(QPen(QApplication::palette().color(QPalette::WindowText), penPixels()));
    painter.drawLine(QPointF(context_->pixels(x1_), context_->pixels(y1_)),
                     QPointF(context_->pixels(x2_), context_->pixels(y2_)));
}

}  // namespace vrn
