#pragma once

#include "model/collection.h"
#include "model/interfaces/line_control.h"
#include "model/interfaces/matrix_window_callbacks.h"

namespace vrn {

// Hands out the line controls of an element's pool in order for one layout, asking the window
// for a new line only once the pool is used up. The pool never shrinks, so laying out the same
// content again makes no new lines; the lines a layout leaves unused stay hidden, because the
// document's layout starts by hiding every display.
class LinePool {
public:
    LinePool(Collection<LineControl>& lines, MatrixWindowCallbacks& window)
        : lines_(lines), window_(window) {}

    // The next line of this layout.
    LineControl& Next();
    int Used() const { return used_; }

private:
    Collection<LineControl>& lines_;
    MatrixWindowCallbacks& window_;
    int used_ = 0;
};

}  // namespace vrn
