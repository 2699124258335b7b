#pragma once

#include <cstdint>
#include <memory>

namespace kt {

class generic;

// An attribute of an entity: a stored row of Attributes or a system attribute computed from
// the entity. Loading and changing attributes is still to come; the collections already bind
// and hold these objects.
class ObjAttribute {
public:
    std::int32_t ID() const { return id_; }
    bool Deleted() const { return deleted_; }

    // Library-internal. Fills the object from an attribute ID; MainContextID is read only by
    // the managing attributes.
    void LoadFromID(std::int32_t ID, std::int32_t MainContextID);
    // Library-internal. Ties the attribute to the worker of its entity; a deleted attribute
    // refuses with error 21.
    void BindOwner(std::shared_ptr<generic> owner);
    const std::shared_ptr<generic>& owner() const { return owner_; }

private:
    std::int32_t id_ = 0;
    bool deleted_ = false;
    std::shared_ptr<generic> owner_;
};

}  // namespace kt
