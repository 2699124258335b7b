#include "server/entities/entities.h"

#include "server/attributes/obj_attribute.h"
#include "server/database/object_id.h"
#include "server/database/recordset.h"
#include "server/entities/generic.h"

namespace kt {

void Entities::AddByID(std::int32_t ID) {
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(ID);
    if (!entity->GetGeneric()->Deleted()) {
        AddItem(std::move(entity));
    }
}

void Entities::AddRows(Recordset& rows, std::string_view keyColumn) {
    for (; !rows.eof(); rows.moveNext()) {
        AddByID(EntityID(rows[keyColumn].asLong()));
    }
}

void Entities::AddFromGeneric(std::shared_ptr<generic> worker) {
    auto entity = std::make_shared<Entity>();
    entity->SetGeneric(std::move(worker));
    AddItem(std::move(entity));
}

void Entities::BindOwner(const std::shared_ptr<ObjAttribute>& owner) {
    owner_ = owner;
    ownerId_ = owner ? owner->ID() : 0;
}

}  // namespace kt
