#pragma once

#include <memory>
#include <variant>

#include "model/model_fwd.h"

namespace vrn {

// The model object behind a cell that the window hands out: a practice (for its cell and for its
// importance box) or a practice group (for its band).
using CellObject = std::variant<std::shared_ptr<VRN_Practice>, std::shared_ptr<VRN_PracticeGroup>>;

}  // namespace vrn
