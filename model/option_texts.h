#pragma once

#include <memory>
#include <string>

#include "model/interfaces/window_control.h"

namespace vrn {

// The name and description of an option or option group: both also go to the text of an attached
// display control (`Element::Display`).
template <class Element>
class OptionTexts {
public:
    const std::string& Name() const { return name_; }
    void setName(const std::string& value) { store(name_, value); }
    const std::string& Description() const { return description_; }
    void setDescription(const std::string& value) { store(description_, value); }

private:
    void store(std::string& field, const std::string& value) {
        field = value;
        if (const auto& display = static_cast<const Element&>(*this).Display) {
            display->setText(value);
        }
    }

    std::string name_;
    std::string description_;
};

}  // namespace vrn
