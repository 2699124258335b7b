#pragma once

#include <cstdint>
#include <string>

namespace kt {

// The values of a new row of Relation, as the creators hand them to ObjRelation::InsertNew.
// Keys are plain table keys (ent_id, rel_id), not public IDs.
struct NewRelation {
    std::int32_t key = 0;
    std::string contact;
    std::int32_t startKey = 0;
    std::int32_t endKey = 0;
    bool inherited = false;
    // Written as given, also for a relation that is not inherited.
    std::int32_t inheritedFromKey = 0;
    bool deleted = false;
    bool inheritByCopy = false;
    std::int16_t type = 0;
    std::string name;
    bool inheritFromParent = false;
    std::int32_t contextKey = 0;
    std::int32_t slotId = 0;
    std::string slotName;     // "no slot" when empty
    std::string contextPath;  // "no path" when empty
    std::int32_t displayOrder = 0;
    std::int32_t endEntityType = 0;
    std::int32_t managingContextKey = 0;
    std::string uniqueId;      // generated when empty
    std::string slotUniqueId;  // generated when empty
};

}  // namespace kt
