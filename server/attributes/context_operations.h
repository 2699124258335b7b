#pragma once

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "server/database/value.h"

namespace kt {

class Entities;
class Entity;
class ObjRelations;

// What an object-valued system attribute holds: one entity, a list of entities or a list of
// relations; nothing for every other attribute.
using AttributeObject = std::variant<std::monostate, std::shared_ptr<Entity>,
                                     std::shared_ptr<Entities>, std::shared_ptr<ObjRelations>>;

// The context operations that attribute and relation attribute objects publish. Changes in a
// context go through the entity's own members, so these accept anything and change nothing;
// GetAttributeType gives no entity.
class InertContextOperations {
public:
    void SetValueInContext(const Value& /*NewVal*/, const std::vector<std::int32_t>& /*ContextArr*/,
                           const std::vector<std::int32_t>& /*ChangedArr*/) {}
    void SetObjectInContext(const AttributeObject& /*NewObject*/,
                            const std::vector<std::int32_t>& /*ContextArr*/,
                            const std::vector<std::int32_t>& /*ChangedArr*/) {}
    void DeleteInContext(const std::vector<std::int32_t>& /*ContextArr*/,
                         const std::vector<std::int32_t>& /*ChangedArr*/) {}
    std::shared_ptr<Entity> GetAttributeType(const std::vector<std::int32_t>& /*ContextArr*/,
                                             const std::vector<std::int32_t>& /*ChangedArr*/) {
        return nullptr;
    }
    void SetAttributeType(const std::shared_ptr<Entity>& /*NewAttrType*/,
                          const std::vector<std::int32_t>& /*ContextArr*/,
                          const std::vector<std::int32_t>& /*ChangedArr*/) {}
};

}  // namespace kt
