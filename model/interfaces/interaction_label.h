#pragma once

#include <cstdint>
#include <string>

#include "model/interfaces/window_control.h"

namespace vrn {

// The small label that shows one interaction; its text() is the Caption (the value).
class InteractionLabel : public WindowControl {
public:
    virtual std::string ToolTipText() const = 0;
    virtual void setToolTipText(const std::string& value) = 0;

    // 0: transparent, 1: opaque.
    virtual std::int16_t BackStyle() const = 0;
    virtual void setBackStyle(std::int16_t value) = 0;
};

}  // namespace vrn
