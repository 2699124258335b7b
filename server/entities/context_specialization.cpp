// Specializations made for an edit in a context: the checks of the context path, the entities
// and ports it specializes, and the relations that follow them.
#include "server/entities/context_specialization.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/field.h"
#include "server/database/object_id.h"
#include "server/database/type_codes.h"
#include "server/entities/context_arguments.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/new_bundle.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

constexpr std::string_view kOwnBundlePrefix = "Default ";

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

bool contains(const std::vector<ContextMapping>& entityMap, std::int32_t key) {
    return std::ranges::find(entityMap, key, &ContextMapping::oldKey) != entityMap.end();
}

// A specialization of `entity` for the context, under the same name and without its
// relations (the context copy brings those); an activity also gets its own bundle.
std::shared_ptr<generic> specializeForContext(generic& entity) {
    auto made = entity.AddNewSpecialization(entity.Name(), entity.Contact(), false, std::nullopt,
                                            std::nullopt);
    if (made->hasType(EntityType::Activity)) {
        Entity owner;
        owner.SetGeneric(made);
        owner.AddItemToAttrCol("kt_Bundles",
                               InsertNewBundle(std::string(kOwnBundlePrefix) + made->Name()));
    }
    return made;
}

void record(std::vector<ContextMapping>& entityMap, std::int32_t oldKey, const generic& made,
            ContextRole role) {
    entityMap.push_back({oldKey, made.ID(), role});
}

// A path read before one of its relations was deleted leads through a context that is no
// longer there.
void refuseStalePath(const ObjRelations& ContRels) {
    for (const auto& item : ContRels) {
        const auto deleted = global_db().database().scalar(
            "SELECT rel_deleted FROM Relation WHERE rel_id = ?", KeyOfID(item->ID()));
        if (!deleted || Field("rel_deleted", *deleted).asBoolean()) {
            throw catalogueError(msg::InvalidContextRelations);
        }
    }
}

// The path from the bottom up, checked as the edit of `self` needs it.
void checkPath(generic& self, const ObjRelations& ContRels) {
    refuseStalePath(ContRels);
    const ObjRelation& bottom = **ContRels.begin();
    if (bottom.EndID() != EntityID(self.ID())) {
        checkBelowPath(self, KeyOfID(bottom.EndID()));
    }
    for (auto item = ContRels.begin(); item + 1 != ContRels.end(); ++item) {
        if ((*item)->StartID() != (*(item + 1))->EndID()) {
            throw catalogueError(msg::InvalidContextRelations);
        }
    }
}

}  // namespace

void CreateDefaultSpecialization(const std::vector<std::int32_t>& pathKeys,
                                 std::vector<ContextMapping>& entityMap) {
    for (const std::int32_t key : pathKeys) {
        const auto entity = workerFor(key);
        const auto made = specializeForContext(*entity);
        record(entityMap, key, *made,
               made->hasType(EntityType::Port) ? ContextRole::PathPort : ContextRole::PathEntity);
        Entities owned;
        std::vector<std::int32_t> ports;
        if (made->hasType(EntityType::Dependency)) {
            ObjRelations managing;
            entity->GetAllManagingDepesPortsAndRels(managing, owned);
        } else {
            entity->GetPorts(owned, nullptr);
        }
        for (const auto& item : owned) {
            generic& worker = *item->GetGeneric();
            if (worker.hasType(EntityType::Port)) {
                ports.push_back(worker.ID());
            } else if (!contains(entityMap, worker.ID())) {
                record(entityMap, worker.ID(), *specializeForContext(worker),
                       ContextRole::PathEntity);
            }
        }
        std::erase_if(ports, [&](std::int32_t port) {
            return std::ranges::find(pathKeys, port) != pathKeys.end() || contains(entityMap, port);
        });
        for (const std::int32_t port : ports) {
            record(entityMap, port, *specializeForContext(*workerFor(port)),
                   ContextRole::OwnedPort);
        }
    }
}

void SpecializeInContext(Entity& ent, const ObjRelations& ContRels, ChangeArray& ChanArr,
                         bool& Changed) {
    ChanArr.Reset();
    generic& self = *ent.GetGeneric();
    if (!self.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    checkPath(self, ContRels);
    // The topmost inherited relation: everything from the bottom up to its end is shared with
    // a generalization and must be specialized.
    std::size_t top = ContRels.size();
    while (top > 0 && !(*(ContRels.begin() + static_cast<std::ptrdiff_t>(top) - 1))->Inherited()) {
        --top;
    }
    if (top == 0) {
        Changed = false;
        return;
    }
    const ObjRelation& topmost = **(ContRels.begin() + static_cast<std::ptrdiff_t>(top) - 1);
    std::vector<std::int32_t> pathKeys;
    for (auto item = ContRels.begin(); item != ContRels.begin() + static_cast<std::ptrdiff_t>(top);
         ++item) {
        pathKeys.push_back(KeyOfID((*item)->EndID()));
    }

    std::vector<ContextMapping> entityMap;
    CreateDefaultSpecialization(pathKeys, entityMap);
    for (const ContextMapping& made : entityMap) {
        ChanArr.Append(EntityID(made.oldKey), EntityID(made.newKey));
    }
    const std::size_t specialized = entityMap.size();

    // The entity that holds the topmost inherited relation stays, with its ports.
    const auto kept = workerFor(KeyOfID(topmost.StartID()));
    Entities keptPorts;
    kept->GetPorts(keptPorts, nullptr);
    const bool keptIsPort = kept->hasType(EntityType::Port);
    entityMap.push_back(
        {kept->ID(), kept->ID(), keptIsPort ? ContextRole::PathPort : ContextRole::PathEntity});
    for (const auto& port : keptPorts) {
        const std::int32_t key = port->GetGeneric()->ID();
        if (keptIsPort && (key == KeyOfID(topmost.EndID()) || contains(entityMap, key))) {
            continue;
        }
        entityMap.push_back({key, key, ContextRole::OwnedPort});
    }

    std::vector<RelationMapping> relationMap;
    ObjRelations replaced;
    ObjRelations copies;
    CopyContextRelations(entityMap, relationMap, replaced, copies);
    RedirectInheritedRelations(replaced, copies, *kept);
    for (const auto& relation : replaced) {
        relation->SetDeleted(true);
    }
    // The copies changed what the new entities hold: count it from what is there.
    for (std::size_t i = 0; i < specialized; ++i) {
        workerFor(entityMap[i].newKey)->UpdateCachedCounts();
    }
    for (const RelationMapping& pair : relationMap) {
        ChanArr.Append(pair.oldID, pair.newID);
    }
    Changed = true;
}

}  // namespace kt
