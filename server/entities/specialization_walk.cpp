#include "server/entities/specialization_walk.h"

#include <cstdint>
#include <ranges>
#include <unordered_set>
#include <vector>

#include "server/entities/generic.h"

namespace kt {

void forEachLiveSpecialization(const generic& top,
                               const std::function<bool(const generic&)>& visit) {
    std::unordered_set<std::int32_t> visited{top.ID()};
    std::vector<std::int32_t> pending;
    std::vector<std::int32_t> keys;
    const auto pushSpecializationsOf = [&](const generic& entity) {
        entity.GetSpecIDs(keys);
        // Last to first, so that the first specialization is walked first.
        for (const std::int32_t key : keys | std::views::drop(1) | std::views::reverse) {
            pending.push_back(key);
        }
    };
    pushSpecializationsOf(top);
    generic entity;
    while (!pending.empty()) {
        const std::int32_t key = pending.back();
        pending.pop_back();
        if (!visited.insert(key).second) {
            continue;
        }
        entity.Init(key);
        if (entity.Deleted()) {
            continue;
        }
        if (visit(entity)) {
            pushSpecializationsOf(entity);
        }
    }
}

}  // namespace kt
