#include "app/matrixwin/scene_interaction_label.h"

#include "app/matrixwin/interaction_cells.h"
#include "app/matrixwin/scene_text.h"
#include "platform/ole_color.h"

#include <QPainter>

namespace vrn {

namespace {

constexpr std::int16_t kOpaque = 1;

}  // namespace

SceneInteractionLabel::SceneInteractionLabel(InteractionCellShelf& shelf, std::int32_t index)
    : shelf_(&shelf), backColor_(kOleButtonFace), index_(index) {}

SceneInteractionLabel::~SceneInteractionLabel() = default;

void SceneInteractionLabel::repaint() {
    if (paintShown()) {
        shelf_->context->canvas->changed();
    }
}

void SceneInteractionLabel::setLeft(float value) {
    left_ = value;
    repaint();
}

void SceneInteractionLabel::setTop(float value) {
    top_ = value;
    repaint();
}

void SceneInteractionLabel::setWidth(float value) {
    width_ = value;
    repaint();
}

void SceneInteractionLabel::setHeight(float value) {
    height_ = value;
    repaint();
}

void SceneInteractionLabel::setVisible(bool value) {
    if (value == visible_) {
        return;
    }
    visible_ = value;
    if (shelf_->context != nullptr) {
        shelf_->MarkShown(index_, value);
        wantShown(shelf_->context->canvas, value);
    }
}

void SceneInteractionLabel::setEnabled(bool value) {
    enabled_ = value;
    repaint();
}

void SceneInteractionLabel::setBackColor(std::int32_t value) {
    backColor_ = value;
    repaint();
}

std::string SceneInteractionLabel::text() const {
    return shelf_->Text(text_);
}

void SceneInteractionLabel::setText(const std::string& value) {
    if (shelf_->Text(text_) != value) {
        text_ = shelf_->Number(value);
        repaint();
    }
}

void SceneInteractionLabel::setFontsize(float value) {
    fontsize_ = value;
    repaint();
}

void SceneInteractionLabel::ZOrder(int /*position*/) {
    // The cells keep the order they were made in, in the window's one group of them.
}

std::string SceneInteractionLabel::ToolTipText() const {
    return shelf_->Text(toolTip_);
}

void SceneInteractionLabel::setToolTipText(const std::string& value) {
    if (shelf_->Text(toolTip_) != value) {
        toolTip_ = shelf_->Number(value);
    }
}

void SceneInteractionLabel::setBackStyle(std::int16_t value) {
    backStyle_ = value;
    repaint();
}

QRectF SceneInteractionLabel::computeRect() const {
    const SceneContext* context = shelf_->context;
    if (context == nullptr) {
        return {};
    }
    return QRectF(context->pixels(left_), context->pixels(top_), context->extent(width_),
                  context->extent(height_));
}

bool SceneInteractionLabel::MayMeet(const QRectF& area) const {
    const SceneContext* context = shelf_->context;
    if (context == nullptr) {
        return false;
    }
    const qreal x = context->pixels(left_);
    const qreal y = context->pixels(top_);
    return x <= area.right() && y <= area.bottom() && x + context->extent(width_) >= area.left() &&
           y + context->extent(height_) >= area.top();
}

void SceneInteractionLabel::paint(QPainter& painter, const QRectF& rect) const {
    if (backStyle_ == kOpaque) {
        painter.fillRect(rect, colorFromOle(backColor_));
    }
    drawSceneText(painter, rect, QString::fromStdString(text()), fontsize_, Qt::AlignCenter,
                  enabled_);
}

QString SceneInteractionLabel::toolTip() const {
    return QString::fromStdString(ToolTipText());
}

}  // namespace vrn
