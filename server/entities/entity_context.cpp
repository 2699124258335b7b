// Where an edit made in a context lands: the checks of the context path, and the entity itself
// when no relation of the path is inherited.
#include <cstdint>
#include <memory>
#include <unordered_set>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
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

// The managers of an entity (the ends of the managed-by relations that start at it).
std::vector<std::int32_t> managersOf(std::int32_t key) {
    std::vector<std::int32_t> managers;
    Recordset rows = global_db().CreateSnapshot(
        "SELECT rel_end_ent_id FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND "
        "rel_deleted = 0 ORDER BY rel_id",
        key, RelationType::IsManagedBy);
    for (; !rows.eof(); rows.moveNext()) {
        managers.push_back(rows["rel_end_ent_id"].asLong());
    }
    return managers;
}

// An entity below the bottom of the path is accepted when it is a dependency (or a port of
// one) that the entity at the bottom manages, directly or through a chain of managers.
void checkBelowPath(generic& entity, std::int32_t bottomKey) {
    std::int32_t key = entity.ID();
    std::int32_t type = entity.Typ();
    if (entity.hasType(EntityType::Port)) {
        const auto uses = entity.GetWhereUsed();
        if (uses->empty()) {
            throw catalogueError(msg::InvalidContextRelations);
        }
        generic owner;
        owner.Init(KeyOfID((*uses->begin())->StartID()));
        key = owner.ID();
        type = owner.Typ();
    }
    if (type != static_cast<std::int32_t>(EntityType::Dependency) &&
        type != static_cast<std::int32_t>(EntityType::Activity)) {
        throw catalogueError(msg::InvalidContextRelations);
    }
    std::vector<std::int32_t> level = managersOf(key);
    if (level.empty()) {
        throw catalogueError(msg::InvalidContextRelations);
    }
    if (type == static_cast<std::int32_t>(EntityType::Activity)) {
        throw catalogueError(msg::ChangeNotAllowedInContext);
    }
    std::unordered_set<std::int32_t> visited{key};
    while (!level.empty()) {
        std::vector<std::int32_t> next;
        for (const std::int32_t manager : level) {
            if (manager == bottomKey) {
                return;
            }
            if (visited.insert(manager).second) {
                const auto above = managersOf(manager);
                next.insert(next.end(), above.begin(), above.end());
            }
        }
        level = std::move(next);
    }
    throw catalogueError(msg::InvalidContextRelations);
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
    ChanArr.Reset();
    const ObjRelation& bottom = **ContRels.begin();
    if (bottom.EndID() != EntityID(self.ID())) {
        checkBelowPath(self, KeyOfID(bottom.EndID()));
    }
    for (auto item = ContRels.begin(); item + 1 != ContRels.end(); ++item) {
        if ((*item)->StartID() != (*(item + 1))->EndID()) {
            throw catalogueError(msg::InvalidContextRelations);
        }
    }
    for (const auto& item : ContRels) {
        if (item->Inherited()) {
            // The edit would land on specializations made for this context.
            throw notImplemented("Entity.ResolveContextEntity through an inherited relation");
        }
    }
    Changed = false;
    return here;
}

}  // namespace kt
