#pragma once

#include <cstdint>
#include <string>

namespace vrn {

// A control placed on the matrix window: a cell, a button, a label, a frame or a text box.
// Lengths are twips; colours are OLE colour values (&HBBGGRR, or &H800000nn for a system colour).
// Getters carry the control property's own name; setters add "set". Reports read the geometry
// back, so every implementation answers what was last set.
class WindowControl {
public:
    virtual ~WindowControl() = default;

    virtual float left() const = 0;
    virtual void setLeft(float value) = 0;
    virtual float top() const = 0;
    virtual void setTop(float value) = 0;
    virtual float Width() const = 0;
    virtual void setWidth(float value) = 0;
    virtual float Height() const = 0;
    virtual void setHeight(float value) = 0;

    virtual bool Visible() const = 0;
    virtual void setVisible(bool value) = 0;
    virtual bool Enabled() const = 0;
    virtual void setEnabled(bool value) = 0;
    virtual std::int32_t BackColor() const = 0;
    virtual void setBackColor(std::int32_t value) = 0;

    // The text of a cell, button or text box; the Caption of a label or frame.
    virtual std::string text() const = 0;
    virtual void setText(const std::string& value) = 0;
    // Font.Size of the control.
    virtual float fontsize() const = 0;
    virtual void setFontsize(float value) = 0;

    // 0 brings the control to the front, 1 sends it to the back.
    virtual void ZOrder(int position) = 0;
};

}  // namespace vrn
