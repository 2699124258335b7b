#include "app/matrixwin/scene_picture.h"

#include <QPainter>

namespace vrn {

void ScenePicture::setPicture(const QImage& picture) {
    picture_ = picture;
    repaint();
}

void ScenePicture::paint(QPainter& painter, const QRectF& rect) const {
    if (!picture_.isNull()) {
        painter.drawImage(rect, picture_);
    }
}

}  // namespace vrn
