#pragma once

#include <memory>
#include <string>

#include "model/interfaces/cell_control.h"

namespace vrn {

// The name and font flags of an element shown by a cell (`Element::Display`, a practice or a
// practice group): setters also write the cell; the font getters first read the cell back, since
// the window's font buttons change the cell directly.
template <class Element>
class CellProperties {
public:
    const std::string& Name() const { return name_; }
    void setName(const std::string& value) {
        name_ = value;
        if (const auto& cell = display()) {
            cell->setText(value);
        }
    }

    bool fontbold() { return readBack(fontbold_, &CellControl::fontbold); }
    void setFontbold(bool value) { write(fontbold_, value, &CellControl::setFontbold); }
    bool FontItalic() { return readBack(fontItalic_, &CellControl::FontItalic); }
    void setFontItalic(bool value) { write(fontItalic_, value, &CellControl::setFontItalic); }
    bool FontUnderlined() { return readBack(fontUnderlined_, &CellControl::FontUnderline); }
    void setFontUnderlined(bool value) {
        write(fontUnderlined_, value, &CellControl::setFontUnderline);
    }

private:
    const std::shared_ptr<CellControl>& display() const {
        return static_cast<const Element&>(*this).Display;
    }
    bool readBack(bool& stored, bool (CellControl::*get)() const) {
        if (const auto& cell = display()) {
            stored = (*cell.*get)();
        }
        return stored;
    }
    void write(bool& stored, bool value, void (CellControl::*set)(bool)) {
        stored = value;
        if (const auto& cell = display()) {
            (*cell.*set)(value);
        }
    }

    std::string name_;
    bool fontbold_ = false;
    bool fontItalic_ = false;
    bool fontUnderlined_ = false;
};

}  // namespace vrn
