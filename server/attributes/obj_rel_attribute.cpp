#include "server/attributes/obj_rel_attribute.h"

#include "server/database/catalogue_messages.h"
#include "server/database/errors.h"

namespace kt {

void ObjRelAttribute::LoadFromID(std::int32_t /*ID*/, std::int32_t /*ContextID*/) {
    throw notImplemented("ObjRelAttribute.LoadFromID");
}

void ObjRelAttribute::BindOwner(std::shared_ptr<ObjRelation> owner) {
    if (deleted_) {
        throw catalogueError(msg::DeletedAttribute);
    }
    owner_ = std::move(owner);
}

}  // namespace kt
