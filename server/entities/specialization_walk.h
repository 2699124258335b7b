#pragma once

#include <functional>

namespace kt {

class generic;

// Visits every live specialization below `top` once, depth first and pre-order, siblings in
// display order, each loaded into a worker of its own. `visit` returns whether to go on below
// the entity it was given. A deleted link or a deleted entity is passed over together with
// everything below it, and an entity reached a second time (a second generalization inside
// the walk, or a cycle) is not visited again. `top` must be live: a deleted one raises error
// 22 "You cannot make any changes to a deleted entity.".
void forEachLiveSpecialization(const generic& top,
                               const std::function<bool(const generic&)>& visit);

}  // namespace kt
