#pragma once

#include "model/model_fwd.h"

#include <memory>

namespace vrn {

class Prompt;

// Whether `group` still stands in a document: a dragged group that was deleted since, or whose
// window closed, has nothing left to copy.
bool standsInDocument(const std::shared_ptr<VRN_PracticeGroup>& group);

// The last-group rule of every way of removing a group: a state keeps at least one, so that no
// state is left without a practice. Says so and answers false when `group` is its state's last.
bool mayRemoveGroup(Prompt& prompt, const VRN_PracticeGroup& group);

}  // namespace vrn
