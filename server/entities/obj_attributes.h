#pragma once

#include <cstdint>
#include <memory>

#include "server/attributes/obj_attribute.h"
#include "server/entities/collection.h"

namespace kt {

class generic;

// A list of an entity's attributes.
class ObjAttributes : public Collection<ObjAttribute> {
public:
    // Library-internal. Appends the attribute of an attribute ID, loaded without a context and
    // bound to `owner`; errors of the load or the binding reach the caller and append nothing.
    void AddByID(std::int32_t ID, std::shared_ptr<generic> owner);
};

}  // namespace kt
