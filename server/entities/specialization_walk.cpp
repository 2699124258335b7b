#include "server/entities/specialization_walk.h"

namespace kt {

void forEachLiveSpecialization(const generic& top,
                               const std::function<bool(const generic&)>& visit) {
    walkSpecializations(top, true, [&](const std::shared_ptr<generic>& entity, bool) {
        return visit(*entity) ? std::optional<bool>(true) : std::nullopt;
    });
}

}  // namespace kt
