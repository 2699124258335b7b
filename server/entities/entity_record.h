#pragma once

#include <cstdint>
#include <string>

namespace kt {

class Recordset;

// One row of Entity as an entity's worker keeps it.
struct EntityRecord {
    std::int32_t id = 0;  // the plain ent_id, not the public ID
    std::string name;
    std::string contact;
    bool deleted = false;
    std::string lastModified;  // the stored text
    std::string uniqueId;      // the PIF ID
    std::int16_t type = 0;
    std::int32_t specCount = 0;
    std::int32_t bundleCount = 0;
    std::int32_t decompCount = 0;
    std::int32_t acl = 0;  // 0 when the column is Null
};

// The current row of a SELECT * FROM Entity, read whole before anything is handed back, so a
// bad column leaves the caller's copy as it was. A Null in any column but ent_acl is refused
// with "Invalid use of Null".
EntityRecord readEntityRecord(const Recordset& row);

}  // namespace kt
