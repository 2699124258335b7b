#pragma once

#include <cstdint>
#include <string>

#include "model/interfaces/window_control.h"

namespace vrn::testing {

// Keeps every WindowControl property as last set, so tests can read the geometry back.
// Interface is WindowControl or one of its refinements; the refinement's own members are
// implemented by the class deriving from this.
template <class Interface = WindowControl>
class RecordingControlBase : public Interface {
public:
    float left() const override { return left_; }
    void setLeft(float value) override { left_ = value; }
    float top() const override { return top_; }
    void setTop(float value) override { top_ = value; }
    float Width() const override { return width_; }
    void setWidth(float value) override { width_ = value; }
    float Height() const override { return height_; }
    void setHeight(float value) override { height_ = value; }

    bool Visible() const override { return visible_; }
    void setVisible(bool value) override { visible_ = value; }
    bool Enabled() const override { return enabled_; }
    void setEnabled(bool value) override { enabled_ = value; }
    std::int32_t BackColor() const override { return backColor_; }
    void setBackColor(std::int32_t value) override { backColor_ = value; }

    std::string text() const override { return text_; }
    void setText(const std::string& value) override { text_ = value; }
    float fontsize() const override { return fontsize_; }
    void setFontsize(float value) override { fontsize_ = value; }

    void ZOrder(int position) override { zOrder_ = static_cast<std::int8_t>(position); }
    // The last ZOrder position asked for; -1 when never asked.
    int lastZOrder() const { return zOrder_; }

private:
    float left_ = 0;
    float top_ = 0;
    float width_ = 0;
    float height_ = 0;
    float fontsize_ = 0;
    std::int32_t backColor_ = 0;
    bool visible_ = false;  // handed-out controls start hidden
    bool enabled_ = true;
    std::int8_t zOrder_ = -1;
    std::string text_;
};

// A frame, label, button or text box of the window.
using RecordingControl = RecordingControlBase<WindowControl>;

}  // namespace vrn::testing
