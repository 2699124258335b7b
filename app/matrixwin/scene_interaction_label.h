#pragma once

#include "app/matrixwin/scene_control_base.h"
#include "model/interfaces/interaction_label.h"

namespace vrn {

// The small label that shows one interaction's value on the matrix window.
class SceneInteractionLabel : public SceneControlBase<InteractionLabel> {
public:
    using SceneControlBase::SceneControlBase;

    std::string ToolTipText() const override { return toolTip_; }
    void setToolTipText(const std::string& value) override;
    std::int16_t BackStyle() const override { return backStyle_; }
    void setBackStyle(std::int16_t value) override;

    void paint(QPainter& painter, const QRectF& rect) const override;
    QString toolTip() const override { return QString::fromStdString(toolTip_); }

private:
    std::string toolTip_;
    std::int16_t backStyle_ = 1;
};

}  // namespace vrn
