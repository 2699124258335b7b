#pragma once

#include <cstdint>
#include <string>

namespace kt {

class Recordset;

// The columns of one Relation row as a relation object holds them: entity keys as entity IDs
// (key * 100), relation keys as relation IDs (key * 100 + 80).
struct RelationFields {
    std::string name;
    std::int16_t type = 0;
    std::int32_t startId = 0;
    std::int32_t endId = 0;
    bool inherited = false;
    std::int32_t id = 0;
    bool deleted = false;
    std::int32_t contextId = 0;
    // The relation this one was copied from; the relation's own ID when it is not inherited.
    std::int32_t inheritedFromRelId = 0;
    std::int32_t slotId = 0;
    std::string slotName;
    std::string contextPath;
    std::int32_t displayOrder = 0;
    std::int32_t endEntityType = 0;
    std::string uniqueId;
    std::string slotUniqueId;
};

// The current row of a SELECT * FROM Relation, encoded as above.
RelationFields readRelationFields(const Recordset& row);

}  // namespace kt
