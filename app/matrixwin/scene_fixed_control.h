#pragma once

#include "app/matrixwin/scene_control_base.h"
#include "model/interfaces/check_box_control.h"
#include "model/interfaces/window_control.h"
#include "platform/cell_look.h"

namespace vrn {

// One of the matrix window's own controls (a button, label, frame or text box) as the layout
// places it.
class SceneFixedControl : public SceneControlBase<WindowControl> {
public:
    enum class Kind { Button, Label, Frame, TextBox };

    SceneFixedControl(SceneContext& context, Kind kind);

    Kind kind() const { return kind_; }
    void paint(QPainter& painter, const QRectF& rect) const override;
    // A button's whole text when it shows it shortened.
    QString toolTip() const override;

private:
    CellLook buttonLook(const QRectF& rect) const;

    Kind kind_;
};

// The window's lock box.
class SceneCheckBox : public SceneControlBase<CheckBoxControl> {
public:
    using SceneControlBase::SceneControlBase;

    bool Value() const override { return checked_; }
    void setValue(bool checked) override;

    void paint(QPainter& painter, const QRectF& rect) const override;

private:
    bool checked_ = false;
};

}  // namespace vrn
