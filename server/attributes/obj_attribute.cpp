#include "server/attributes/obj_attribute.h"

#include "server/database/catalogue_messages.h"
#include "server/database/errors.h"

namespace kt {

void ObjAttribute::LoadFromID(std::int32_t /*ID*/, std::int32_t /*MainContextID*/) {
    throw notImplemented("ObjAttribute.LoadFromID");
}

void ObjAttribute::BindOwner(std::shared_ptr<generic> owner) {
    if (deleted_) {
        throw catalogueError(msg::DeletedAttribute);
    }
    owner_ = std::move(owner);
}

}  // namespace kt
