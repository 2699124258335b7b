#pragma once

#include "model/component_context.h"
#include "model/model_fwd.h"

#include <memory>

namespace vrn {

// A copy of `group` as it is now (its name, entity binding and practices), standing in a
// document of its own that no window shows. The pointer keeps that document alive, so the copy
// can be pasted after `group` was changed or deleted, or its window closed.
std::shared_ptr<VRN_PracticeGroup> SnapshotOf(const std::shared_ptr<VRN_PracticeGroup>& group,
                                              const ComponentContext& context);

}  // namespace vrn
