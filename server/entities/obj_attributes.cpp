#include "server/entities/obj_attributes.h"

namespace kt {

void ObjAttributes::AddByID(std::int32_t ID, std::shared_ptr<generic> owner) {
    auto attribute = std::make_shared<ObjAttribute>();
    attribute->LoadFromID(ID, 0);
    attribute->BindOwner(std::move(owner));
    AddItem(std::move(attribute));
}

}  // namespace kt
