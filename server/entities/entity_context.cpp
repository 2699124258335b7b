// Where an edit made in a context lands: the entity itself, or the specialization made for it.
#include <cstdint>
#include <memory>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/context_arguments.h"
#include "server/entities/context_specialization.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

generic& boundWorker(Entity& entity) {
    generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

}  // namespace

std::shared_ptr<ObjRelation> Entity::FindContextRelation(Entity& ent,
                                                         const ObjRelations& ContRels) {
    const std::int32_t id = EntityID(boundWorker(ent).ID());
    for (const auto& item : ContRels) {
        if (item->EndID() == id) {
            return item;
        }
    }
    throw catalogueError(msg::InvalidContextRelations);
}

std::shared_ptr<Entity> Entity::ResolveContextEntity(const ObjRelations& ContRels, bool& Changed,
                                                     ChangeArray& ChanArr) {
    generic& self = boundWorker(*this);
    auto here = std::make_shared<Entity>();
    here->SetGeneric(GetGeneric());
    if (ContRels.empty()) {
        return here;
    }
    Transaction operation(global_db().database());
    SpecializeInContext(*this, ContRels, ChanArr, Changed);
    if (!Changed) {
        operation.commit();
        return here;
    }
    if (const auto replacement = ChanArr.ReplacementOf(EntityID(self.ID()))) {
        auto made = std::make_shared<Entity>();
        made->LoadFromID(*replacement);
        operation.commit();
        return made;
    }
    // The path specialized other entities only: there is no copy of this one to edit.
    throw catalogueError(msg::InvalidContextRelations);
}

}  // namespace kt
