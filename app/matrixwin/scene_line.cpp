#include "app/matrixwin/scene_line.h"

#include <QApplication>
#include <QGraphicsLineItem>
#include <QPalette>
#include <QPen>

#include <algorithm>

namespace vrn {

namespace {

// A border wider than this draws as this; the scene never gets a pen it cannot stroke.
constexpr int kMaxPenPixels = 100;

}  // namespace

SceneLine::SceneLine(SceneContext& context) : context_(&context) {
    item_ = new QGraphicsLineItem;
    item_->setVisible(false);
    item_->setPen(QPen(QApplication::palette().color(QPalette::WindowText), 1));
    context.scene->addItem(item_);
}

SceneLine::~SceneLine() {
    detach();
}

void SceneLine::detach() {
    delete item_;
    item_ = nullptr;
    context_ = nullptr;
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
    visible_ = value;
    if (item_ != nullptr) {
        item_->setVisible(value);
    }
}

void SceneLine::setBorderWidth(std::int16_t value) {
    borderWidth_ = value;
    if (item_ != nullptr) {
        QPen pen = item_->pen();
        pen.setWidth(std::clamp<int>(value, 1, kMaxPenPixels));
        item_->setPen(pen);
    }
}

void SceneLine::place() {
    if (item_ != nullptr) {
        item_->setLine(context_->pixels(x1_), context_->pixels(y1_), context_->pixels(x2_),
                       context_->pixels(y2_));
    }
}

}  // namespace vrn
