// The worker's managing relations: a dependency managed by an activity, a port managed by a
// port, and the walks along them.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/relation_fields.h"
#include "server/database/db.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

using Visited = std::unordered_set<std::int32_t>;

constexpr std::int16_t kManagedBy = static_cast<std::int16_t>(RelationType::IsManagedBy);
constexpr std::int16_t kActivityType = static_cast<std::int16_t>(EntityType::Activity);

Recordset managingRelationsOf(std::int32_t key) {
    return global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND rel_deleted = 0 "
        "ORDER BY rel_id",
        key, kManagedBy);
}

// A worker of the entity with this key; none when its row has gone.
std::optional<generic> loaded(std::int32_t key) {
    const Recordset row =
        global_db().CreateSnapshot("SELECT ent_id FROM Entity WHERE ent_id = ?", key);
    if (row.eof()) {
        return std::nullopt;
    }
    generic worker;
    worker.Init(key);
    return worker;
}

void collectManaged(const generic& entity, ObjRelations& relations, Entities& ports,
                    Visited& visited) {
    if (!visited.insert(entity.ID()).second) {
        return;  // a chain of managers that comes back here
    }
    Entities own;
    entity.GetPorts(own, &relations, true);
    for (const auto& port : own) {
        Recordset managers = managingRelationsOf(port->GetGeneric()->ID());
        if (!managers.eof()) {
            relations.AddFromFields(readRelationFields(managers));
        }
        ports.AddItem(port);
    }
    Recordset managers = managingRelationsOf(entity.ID());
    for (; !managers.eof(); managers.moveNext()) {
        relations.AddFromFields(readRelationFields(managers));
        const auto manager = loaded(managers["rel_end_ent_id"].asLong());
        if (manager && manager->hasType(EntityType::Port)) {
            collectManaged(*manager, relations, ports, visited);
        }
    }
}

}  // namespace

void generic::SetManagingActivityForDepe(const generic& activity, const generic& parent,
                                         std::optional<std::int32_t>& inheritedFromKey) {
    refuseChange();
    Transaction operation(global_db().database());
    NewRelation row;
    row.key = NewRelationID();
    const bool inherited = inheritedFromKey.has_value();
    const std::int32_t origin = inheritedFromKey.value_or(row.key);
    row.contact = record_.contact;
    row.startKey = record_.id;
    row.endKey = activity.ID();
    row.inherited = inherited;
    row.inheritedFromKey = origin;
    row.inheritByCopy = true;
    row.type = kManagedBy;
    row.name = "Managed By Relation";
    row.inheritFromParent = true;
    row.contextKey = record_.id;
    ObjRelation().InsertNew(row);

    const Recordset existing = global_db().CreateSnapshot(
        "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_end_ent_id = ? AND "
        "rel_Type = ? AND rel_deleted = 0",
        parent.ID(), activity.ID(), RelationType::AutomaticDecomposition);
    if (existing.eof()) {
        // Drawn only now, so that no key or slot is taken for a row that is not written.
        row.key = NewRelationID();
        row.slotId = NewSlotID();
        row.startKey = parent.ID();
        row.type = static_cast<std::int16_t>(RelationType::AutomaticDecomposition);
        row.name = "Automatic Decomposition";
        row.slotName = "auto decomp slot";
        row.contextPath = "decomp";
        row.endEntityType = kActivityType;
        ObjRelation().InsertNew(row);
    }
    operation.commit();
    inheritedFromKey = origin;
}

std::shared_ptr<Entities> generic::GetManagingEntities() const {
    refuseChange();
    auto managers = std::make_shared<Entities>();
    Recordset rows = managingRelationsOf(record_.id);
    for (; !rows.eof(); rows.moveNext()) {
        auto manager = std::make_shared<Entity>();
        manager->LoadFromID(EntityID(rows["rel_end_ent_id"].asLong()));
        managers->AddItem(std::move(manager));
    }
    return managers;
}

std::shared_ptr<Entities> generic::GetAllEntitiesBeingManaged() const {
    auto managed = std::make_shared<Entities>();
    Recordset rows = global_db().CreateSnapshot(
        "SELECT rel_start_ent_id FROM Relation WHERE rel_end_ent_id = ? AND rel_Type = ? AND "
        "rel_deleted = 0 ORDER BY rel_id",
        record_.id, kManagedBy);
    for (; !rows.eof(); rows.moveNext()) {
        managed->AddByID(EntityID(rows["rel_start_ent_id"].asLong()));
    }
    return managed;
}

void generic::GetAllManagingDepesPortsAndRels(ObjRelations& relations, Entities& ports) const {
    Visited visited;
    collectManaged(*this, relations, ports, visited);
}

std::shared_ptr<ObjRelation> generic::GetParentEntityRelationForPort(
    const ObjRelations& contextPath) const {
    for (const auto& item : contextPath) {
        const auto start = loaded(KeyOfID(item->StartID()));
        if (start &&
            (start->hasType(EntityType::Dependency) || start->hasType(EntityType::Activity))) {
            return item;
        }
    }
    return std::make_shared<ObjRelation>();
}

void generic::GetAllDanglingPortsOfMDepes(Entities& ports, const generic& context) const {
    Visited visited;
    std::optional<generic> current = *this;
    while (current && visited.insert(current->ID()).second) {
        Recordset managers = managingRelationsOf(current->ID());
        if (managers.eof()) {
            return;
        }
        const auto manager = loaded(managers["rel_end_ent_id"].asLong());
        if (!manager) {
            return;
        }
        const auto connectors = manager->GetConnectorsInContext(context);
        if (connectors->empty()) {
            return;
        }
        const ObjRelation& connector = **connectors->begin();
        const std::int32_t beside = connector.StartID() == EntityID(manager->ID())
                                        ? connector.EndID()
                                        : connector.StartID();
        const auto besidePort = loaded(KeyOfID(beside));
        if (!besidePort) {
            return;
        }
        const auto uses = besidePort->GetWhereUsed();
        if (uses->empty()) {
            return;
        }
        const ObjRelation& use = **uses->begin();
        const Recordset others = global_db().CreateSnapshot(
            "SELECT rel_end_ent_id FROM Relation WHERE rel_start_ent_id = ? AND rel_end_ent_id <> "
            "? "
            "AND rel_Type = ? AND rel_deleted = 0 ORDER BY rel_display_order, rel_id",
            KeyOfID(use.StartID()), KeyOfID(use.EndID()), RelationType::Decomposition);
        if (others.eof()) {
            return;
        }
        const std::int32_t next = others["rel_end_ent_id"].asLong();
        auto port = std::make_shared<Entity>();
        port->LoadFromID(EntityID(next));
        ports.AddItem(port);
        current = loaded(next);
    }
}

}  // namespace kt
