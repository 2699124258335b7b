#pragma once

#include <cstdint>
#include <string>

#include "server/attributes/relation_fields.h"

namespace kt {

// One row of Relation: a typed link from a start entity to an end entity, possibly inside a
// context entity and a slot. The object holds a copy of the row, filled once by LoadFromID or
// InitFromFields; nothing reloads it.
class ObjRelation {
public:
    std::int32_t ID() const { return fields_.id; }
    const std::string& Name() const { return fields_.name; }
    std::int16_t RelationType() const { return fields_.type; }
    std::int32_t StartID() const { return fields_.startId; }
    std::int32_t EndID() const { return fields_.endId; }
    bool Inherited() const { return fields_.inherited; }
    bool Deleted() const { return fields_.deleted; }
    std::int32_t ContextID() const { return fields_.contextId; }
    std::int32_t InheritedFromRelID() const { return fields_.inheritedFromRelId; }
    std::int32_t SlotID() const { return fields_.slotId; }
    const std::string& SlotName() const { return fields_.slotName; }
    const std::string& SlotUniqueID() const { return fields_.slotUniqueId; }
    const std::string& UniqueID() const { return fields_.uniqueId; }
    const std::string& ContextPath() const { return fields_.contextPath; }
    std::int32_t DisplayOrder() const { return fields_.displayOrder; }
    std::int32_t EndEntityType() const { return fields_.endEntityType; }

    // Library-internal. Fills the object from the row of a relation ID, deleted or not; an ID of
    // another kind, or one without a row, raises error 23 "This relation does not exist in the
    // database.".
    void LoadFromID(std::int32_t ID);
    // Library-internal. Fills the object from a row already read; the inherited-from ID is kept
    // only for an inherited relation.
    void InitFromFields(const RelationFields& fields);

private:
    RelationFields fields_;
};

}  // namespace kt
