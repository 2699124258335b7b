#pragma once

#include "model/interfaces/window_control.h"

namespace vrn {

// A check box such as the window's lock box.
class CheckBoxControl : public WindowControl {
public:
    virtual bool Value() const = 0;
    virtual void setValue(bool checked) = 0;
};

}  // namespace vrn
