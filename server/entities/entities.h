#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "server/entities/collection.h"
#include "server/entities/entity.h"

namespace kt {

class ObjAttribute;
class Recordset;
class generic;

// A list of entities, as queries and entities hand them out.
class Entities : public Collection<Entity> {
public:
    // Library-internal. Appends the entity of a public entity ID unless it is deleted; errors
    // of the load (6, 2) reach the caller and append nothing.
    void AddByID(std::int32_t ID);
    // Library-internal. AddByID for the entity key in `keyColumn` of every row, from the current
    // row to the end.
    void AddRows(Recordset& rows, std::string_view keyColumn);
    // Library-internal. Appends a new Entity standing on `worker`.
    void AddFromGeneric(std::shared_ptr<generic> worker);

    // Library-internal. The attribute whose value this list is ("kt_Bundles", "kt_Activities").
    // Held weakly: the attribute holds the list.
    void BindOwner(const std::shared_ptr<ObjAttribute>& owner);
    std::shared_ptr<ObjAttribute> owner() const { return owner_.lock(); }
    std::int32_t ownerID() const { return ownerId_; }

private:
    std::weak_ptr<ObjAttribute> owner_;
    std::int32_t ownerId_ = 0;
};

}  // namespace kt
