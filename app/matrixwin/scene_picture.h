#pragma once

#include "app/matrixwin/scene_control_base.h"
#include "model/interfaces/window_control.h"

#include <QImage>

namespace vrn {

// A picture on the matrix window, drawn at its place on the canvas; with no picture it draws
// nothing.
class ScenePicture : public SceneControlBase<WindowControl> {
public:
    using SceneControlBase::SceneControlBase;

    const QImage& Picture() const { return picture_; }
    void setPicture(const QImage& picture);

    void paint(QPainter& painter, const QRectF& rect) const override;

private:
    QImage picture_;
};

}  // namespace vrn
