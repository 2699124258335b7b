#include "model/layout/line_pool.h"

#include "model/model_error.h"

namespace vrn {

LineControl& LinePool::Next() {
    ++used_;
    if (used_ <= lines_.Count()) {
        return *lines_.Item(used_);
    }
    auto line = window_.CreateLine();
    if (!line) {
        throw ModelError("The matrix window gave no line control.");
    }
    LineControl& made = *line;
    lines_.Add(std::move(line));
    return made;
}

}  // namespace vrn
