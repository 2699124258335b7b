#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "server/entities/generic.h"

namespace kt {

// A depth-first, pre-order walk down the live specializations of `top` (not visited itself),
// each entity's in spec_display_order, each loaded into a worker of its own. Every entity is
// visited once, however many ways lead to it (a second generalization inside the walk, or a
// cycle); a deleted link or a deleted entity is passed over together with everything below
// it. `top` must be live: a deleted one raises error 22 "You cannot make any changes to a
// deleted entity.".
//
// `visit` gets each entity and what the visit of the entity above it handed down (`topState`
// for the first level); it returns what to hand to the entities below, or nothing to leave
// them out.
template <typename State, typename Visit>
void walkSpecializations(const generic& top, State topState, Visit visit) {
    std::unordered_set<std::int32_t> visited{top.ID()};
    std::vector<std::pair<std::int32_t, State>> pending;
    std::vector<std::int32_t> keys;
    const auto pushSpecializationsOf = [&](const generic& entity, const State& state) {
        entity.GetSpecIDs(keys);
        // Last to first, so that the first specialization is walked first.
        for (std::size_t i = keys.size(); i-- > 1;) {
            pending.emplace_back(keys[i], state);
        }
    };
    pushSpecializationsOf(top, topState);
    while (!pending.empty()) {
        auto [key, state] = std::move(pending.back());
        pending.pop_back();
        if (!visited.insert(key).second) {
            continue;
        }
        auto entity = std::make_shared<generic>();
        entity->Init(key);
        if (entity->Deleted()) {
            continue;
        }
        if (std::optional<State> below = visit(entity, std::as_const(state))) {
            pushSpecializationsOf(*entity, *below);
        }
    }
}

// The same walk for visits that hand nothing down: `visit` returns whether to go on below
// the entity it was given.
void forEachLiveSpecialization(const generic& top,
                               const std::function<bool(const generic&)>& visit);

}  // namespace kt
