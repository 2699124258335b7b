#pragma once

#include <cstdint>

#include "model/interfaces/window_control.h"

namespace vrn {

// The button-like cell that shows a practice, a practice's importance box or a practice group.
class CellControl : public WindowControl {
public:
    // 0: text along the cell; 3: text turned for a column.
    virtual std::int16_t CellOrientation() const = 0;
    virtual void setCellOrientation(std::int16_t value) = 0;

    virtual bool fontbold() const = 0;
    virtual void setFontbold(bool value) = 0;
    virtual bool FontItalic() const = 0;
    virtual void setFontItalic(bool value) = 0;
    virtual bool FontUnderline() const = 0;
    virtual void setFontUnderline(bool value) = 0;

    // The pressed state; the window releases a pressed cell.
    virtual bool Value() const = 0;
    virtual void setValue(bool value) = 0;
};

}  // namespace vrn
