#pragma once

#include "app/matrixwin/scene_control_base.h"
#include "model/interfaces/check_box_control.h"
#include "model/interfaces/window_control.h"
#include "platform/cell_look.h"

#include <QFont>

#include <optional>
#include <string>
#include <vector>

namespace vrn {

// One line of a frame's caption as it is drawn, in canvas pixels.
struct CaptionLine {
    QString text;
    QRectF rect;
};

// One of the matrix window's own controls (a button, label, frame or text box) as the layout
// places it.
class SceneFixedControl : public SceneControlBase<WindowControl> {
public:
    enum class Kind { Button, Label, Frame, TextBox };

    SceneFixedControl(SceneContext& context, Kind kind);

    Kind kind() const { return kind_; }
    void paint(QPainter& painter, const QRectF& rect) const override;
    // A button's or a frame's whole text when it shows it shortened.
    QString toolTip() const override;

    // A frame's caption stays above `below` (a control inside the frame), which would cover it.
    void keepCaptionAbove(const ScenePaintable& below) { captionAbove_ = &below; }
    // The lines a frame's caption is drawn in: wrapped at word breaks across the frame, as many
    // whole lines as there is room for (above the control it keeps its caption above, and at
    // least one), the last ending in "…" when text is left. Empty for other kinds.
    std::vector<CaptionLine> captionLines() const;

private:
    // A frame's caption as laid out for one text, place and font. It is kept between paints and
    // hovers: laying out a long title costs far more than drawing it.
    struct CaptionLayout {
        std::string text;
        QRectF rect;
        qreal bottom = 0;  // the caption's lines end above it
        QFont font;
        std::vector<CaptionLine> lines{};
        bool shortened = false;  // some of the text is not shown
    };

    CellLook buttonLook(const QRectF& rect) const;
    // The caption laid out in `rect`: the one kept when nothing changed since.
    const CaptionLayout& caption(const QRectF& rect) const;
    static void layOut(CaptionLayout& caption);

    Kind kind_;
    const ScenePaintable* captionAbove_ = nullptr;
    mutable std::optional<CaptionLayout> caption_;
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
