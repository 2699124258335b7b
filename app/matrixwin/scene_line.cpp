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

SceneLine::~SceneLine() {
    delete item_;
}

void SceneLine::forgetScene() {
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
    makeItem();
    if (item_ != nullptr) {
        item_->setVisible(value);
    }
}

void SceneLine::setBorderWidth(std::int16_t value) {
    borderWidth_ = value;
    applyPen();
}

void SceneLine::makeItem() {
    if (item_ != nullptr || context_ == nullptr || !visible_) {
        return;
    }
    item_ = new QGraphicsLineItem;
    place();
    applyPen();
    context_->scene->addItem(item_);
}

void SceneLine::place() {
    if (item_ != nullptr) {
        item_->setLine(context_->pixels(x1_), context_->pixels(y1_), context_->pixels(x2_),
                       context_->pixels(y2_));
    }
}

void SceneLine::applyPen() {
    if (item_ != nullptr) {
        item_->setPen(QPen(QApplication::palette().color(QPalette::WindowText),
                           std::clamp<int>(borderWidth_, 1, kMaxPenPixels)));
    }
}

}  // namespace vrn
