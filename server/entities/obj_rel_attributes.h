#pragma once

#include <cstdint>
#include <memory>

#include "server/attributes/obj_rel_attribute.h"
#include "server/entities/collection.h"

namespace kt {

class ObjRelation;

// A list of a relation's attributes.
class ObjRelAttributes : public Collection<ObjRelAttribute> {
public:
    // Library-internal. Appends the relation attribute of an attribute ID, bound to `owner`;
    // errors of the load or the binding reach the caller and append nothing.
    void AddByID(std::int32_t ID, std::shared_ptr<ObjRelation> owner);
};

}  // namespace kt
