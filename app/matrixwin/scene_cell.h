#pragma once

#include "app/matrixwin/scene_control_base.h"
#include "model/interfaces/cell_control.h"
#include "platform/cell_look.h"

namespace vrn {

// A practice cell, importance box or group band of the matrix window, painted as the cell
// control paints itself.
class SceneCell : public SceneControlBase<CellControl> {
public:
    using SceneControlBase::SceneControlBase;

    std::int16_t CellOrientation() const override { return orientation_; }
    void setCellOrientation(std::int16_t value) override;
    bool fontbold() const override { return bold_; }
    void setFontbold(bool value) override;
    bool FontItalic() const override { return italic_; }
    void setFontItalic(bool value) override;
    bool FontUnderline() const override { return underline_; }
    void setFontUnderline(bool value) override;
    bool Value() const override { return pressed_; }
    void setValue(bool value) override;

    CellLook look() const;
    void paint(QPainter& painter, const QRectF& rect) const override;
    // The whole text when the cell shows it shortened.
    QString toolTip() const override;

private:
    std::int16_t orientation_ = CellLook::kAlong;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    bool pressed_ = false;
};

}  // namespace vrn
