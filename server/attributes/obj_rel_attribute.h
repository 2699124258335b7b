#pragma once

#include <cstdint>
#include <memory>

namespace kt {

class ObjRelation;

// An attribute of a relation: a row of RelationAttributes. Loading and changing relation
// attributes is still to come; the collection already binds and holds these objects.
class ObjRelAttribute {
public:
    std::int32_t ID() const { return id_; }
    bool Deleted() const { return deleted_; }

    // Library-internal. Fills the object from a relation-attribute ID; the context ID is not
    // read.
    void LoadFromID(std::int32_t ID, std::int32_t ContextID);
    // Library-internal. Ties the attribute to its relation; a deleted attribute refuses with
    // error 21.
    void BindOwner(std::shared_ptr<ObjRelation> owner);
    const std::shared_ptr<ObjRelation>& owner() const { return owner_; }

private:
    std::int32_t id_ = 0;
    bool deleted_ = false;
    std::shared_ptr<ObjRelation> owner_;
};

}  // namespace kt
