#pragma once

#include <cstdint>
#include <vector>

#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt::test {

// The plain keys of a list's items, in list order, for comparing whole lists at once.
inline std::vector<std::int32_t> keysOf(const ObjRelations& relations) {
    std::vector<std::int32_t> keys;
    for (const auto& relation : relations) {
        keys.push_back(KeyOfID(relation->ID()));
    }
    return keys;
}

inline std::vector<std::int32_t> keysOf(const Entities& entities) {
    std::vector<std::int32_t> keys;
    for (const auto& entity : entities) {
        keys.push_back(entity->GetGeneric()->ID());
    }
    return keys;
}

}  // namespace kt::test
