#include "app/matrixwin/scene_interaction_label.h"

#include "app/matrixwin/scene_text.h"

namespace vrn {

namespace {

constexpr std::int16_t kOpaque = 1;

}  // namespace

void SceneInteractionLabel::setToolTipText(const std::string& value) {
    toolTip_ = value;
}

void SceneInteractionLabel::setBackStyle(std::int16_t value) {
    backStyle_ = value;
    repaint();
}

void SceneInteractionLabel::paint(QPainter& painter, const QRectF& rect) const {
    const bool opaque = backStyle_ == kOpaque;
    if (opaque) {
        painter.fillRect(rect, qtBackColor());
    }
    drawSceneText(painter, rect, qtText(), fontsize(), Qt::AlignCenter, Enabled(),
                  opaque ? qtBackColor() : QColor());
}

}  // namespace vrn
