#include "server/entities/obj_rel_attributes.h"

namespace kt {

void ObjRelAttributes::AddByID(std::int32_t ID, std::shared_ptr<ObjRelation> owner) {
    auto attribute = std::make_shared<ObjRelAttribute>();
    attribute->LoadFromID(ID, 0);
    attribute->BindOwner(std::move(owner));
    AddItem(std::move(attribute));
}

}  // namespace kt
