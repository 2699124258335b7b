#include "server/attributes/manager_reference.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/attributes/resource_reference.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/fixed_entities.h"
#include "server/database/key_allocation.h"
#include "server/database/type_codes.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/specialization_walk.h"

namespace kt {

namespace {

constexpr std::string_view kManagedBy = "Managed By";

// The entity's live managed-by relation: its key, the relation it repeats (itself when it is
// no copy) and its manager.
struct ManagedBy {
    std::int32_t key;
    std::int32_t origin;
    std::int32_t manager;
};

std::optional<ManagedBy> managedByOf(std::int32_t entityKey) {
    const Recordset row = global_db().CreateSnapshot(
        "SELECT rel_id, rel_inherit, rel_inherit_from_rel_id, rel_end_ent_id FROM Relation "
        "WHERE rel_start_ent_id = ? AND rel_Type = ? AND rel_deleted = 0 ORDER BY rel_id LIMIT 1",
        entityKey, RelationType::IsManagedBy);
    if (row.eof()) {
        return std::nullopt;
    }
    const std::int32_t key = row["rel_id"].asLong();
    return ManagedBy{key,
                     row["rel_inherit"].asBoolean() ? row["rel_inherit_from_rel_id"].asLong() : key,
                     row["rel_end_ent_id"].asLong()};
}

// The copies below that still end at the old manager move to the new one.
void moveCopies(const generic& entity, const ManagedBy& moved, std::int32_t managerKey) {
    forEachLiveSpecialization(entity, [&](const generic& specialization) {
        const Recordset copy = global_db().CreateSnapshot(
            "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = ? AND "
            "rel_deleted = 0 AND rel_inherit <> 0 AND rel_inherit_from_rel_id = ? AND "
            "rel_end_ent_id = ? ORDER BY rel_id LIMIT 1",
            specialization.ID(), RelationType::IsManagedBy, moved.origin, moved.manager);
        if (copy.eof()) {
            return false;
        }
        global_db().Execute("UPDATE Relation SET rel_end_ent_id = ? WHERE rel_id = ?", managerKey,
                            copy["rel_id"].asLong());
        generic(specialization).StampLastModified();
        return true;
    });
}

// Each specialization without a manager of its own gets a copy of `made`.
void copyDown(const generic& entity, const NewRelation& made) {
    NewRelation row = made;
    row.contact = std::string(kAutomaticallyGeneratedContact);
    row.inherited = true;
    row.inheritedFromKey = made.key;
    ObjRelation copy;
    forEachLiveSpecialization(entity, [&](const generic& specialization) {
        if (managedByOf(specialization.ID())) {
            return false;
        }
        row.key = NewRelationID();
        row.startKey = specialization.ID();
        row.contextKey = specialization.ID();
        copy.InsertNew(row);
        generic(specialization).StampLastModified();
        return true;
    });
}

}  // namespace

std::int32_t checkedManagerKey(const AttributeObject& object) {
    const auto* entity = std::get_if<std::shared_ptr<Entity>>(&object);
    if (!entity || !*entity) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    const generic& manager = *(*entity)->GetGeneric();
    if (!manager.isBound() || manager.Deleted() || !manager.hasType(EntityType::Activity)) {
        throw catalogueError(msg::InvalidAttributeObject);
    }
    return manager.ID();
}

void referManager(generic& entity, std::int32_t managerKey) {
    if (const auto current = managedByOf(entity.ID())) {
        global_db().Execute("UPDATE Relation SET rel_end_ent_id = ? WHERE rel_id = ?", managerKey,
                            current->key);
        entity.StampLastModified();
        moveCopies(entity, *current, managerKey);
        return;
    }
    const NewRelation row = referenceRow(entity, managerKey, RelationType::IsManagedBy, kManagedBy);
    ObjRelation relation;
    relation.InsertNew(row);
    entity.StampLastModified();
    copyDown(entity, row);
}

}  // namespace kt
