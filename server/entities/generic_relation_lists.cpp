// The worker's relation lists: one SELECT on Relation each, every row turned into a relation
// object without a further query.
#include <string>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/type_codes.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "server/entities/relation_direction.h"

namespace kt {

namespace {

template <typename... Args>
std::shared_ptr<ObjRelations> relationsOf(std::string_view sql, const Args&... args) {
    auto rows = global_db().CreateSnapshot(sql, args...);
    auto relations = std::make_shared<ObjRelations>();
    relations->AddRows(rows);
    return relations;
}

void refuseUnknownDirection(std::int16_t direction) {
    if (direction < either_end || direction > in_context) {
        throw catalogueError(msg::UnsupportedDirection);
    }
}

// The condition on the entity's own column that a direction names; either end takes the key
// twice.
std::string_view directionCondition(std::int16_t direction) {
    switch (direction) {
        case either_end:
            return "(rel_start_ent_id = ?1 OR rel_end_ent_id = ?1)";
        case from_start:
            return "rel_start_ent_id = ?1";
        case to_end:
            return "rel_end_ent_id = ?1";
        default:
            return "rel_context_ent_id = ?1";
    }
}

}  // namespace

std::shared_ptr<ObjRelations> generic::GetConnectors(std::int32_t contextKey) const {
    refuseUnusable(msg::DeletedEntityChange);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_context_ent_id = ?1 AND (rel_start_ent_id = ?2 OR "
        "rel_end_ent_id = ?2) AND rel_Type IN (2, 3) AND rel_deleted = 0 ORDER BY rel_id",
        contextKey, record_.id);
}

std::shared_ptr<ObjRelations> generic::GetDecomposition() const {
    refuseUnusable(msg::DeletedEntityChange);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_context_ent_id = ? AND rel_Type IN (1, 2) AND "
        "rel_deleted = 0 ORDER BY rel_Type, rel_display_order, rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetPortRels() const {
    refuseUnusable(msg::DeletedEntityChange);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_context_ent_id = ? AND rel_Type = 1 AND "
        "rel_end_ent_type = 3 AND rel_deleted = 0 ORDER BY rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetNavRelations() const {
    refuseUnusable(msg::DeletedEntityChange);
    auto rows = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_Type = 4 AND rel_start_ent_id = ? AND rel_deleted = 0 "
        "ORDER BY rel_id",
        record_.id);
    auto relations = std::make_shared<ObjRelations>();
    for (; !rows.eof(); rows.moveNext()) {
        RelationFields fields = readRelationFields(rows);
        // A navigation relation is not drawn in a context; -1 says so.
        fields.contextId = -1;
        relations->AddFromFields(fields);
    }
    return relations;
}

std::shared_ptr<ObjRelations> generic::GetNavigatedFrom() const {
    refuseUnusable(msg::DeletedEntityChange);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_Type = 4 AND rel_end_ent_id = ? AND rel_deleted = 0 "
        "ORDER BY rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetWhereUsed() const {
    refuseUnusable(msg::DeletedEntityChange);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_Type IN (1, 8) AND rel_end_ent_id = ? AND "
        "rel_deleted = 0 ORDER BY rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetContextConnectors(bool includeInContext) const {
    refuseUnusable(msg::DeletedEntityChange);
    if (includeInContext) {
        return relationsOf(
            "SELECT * FROM Relation WHERE rel_Type IN (2, 3, 17, 18, 19) AND "
            "rel_context_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
            record_.id);
    }
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_Type IN (2, 3) AND rel_context_ent_id = ? AND "
        "rel_deleted = 0 ORDER BY rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetExceptions() const {
    refuseUnusable(msg::ObjectDeleted);
    if (hasType(EntityType::Activity)) {
        return relationsOf(
            "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = 9 AND "
            "rel_deleted = 0 ORDER BY rel_display_order, rel_id",
            record_.id);
    }
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_end_ent_id = ? AND rel_Type = 9 AND rel_deleted = 0 "
        "ORDER BY rel_display_order, rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetExceptionHandlers() const {
    refuseUnusable(msg::ObjectDeleted);
    if (hasType(EntityType::Activity)) {
        return relationsOf(
            "SELECT * FROM Relation WHERE rel_end_ent_id = ? AND rel_Type BETWEEN 10 AND 13 AND "
            "rel_deleted = 0 ORDER BY rel_Type, rel_display_order, rel_id",
            record_.id);
    }
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_Type BETWEEN 10 AND 13 AND "
        "rel_deleted = 0 ORDER BY rel_Type, rel_display_order, rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetPerformedByRelations() const {
    refuseUnusable(msg::DeletedEntityNoAccess);
    if (hasType(EntityType::Activity)) {
        return relationsOf(
            "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = 14 AND "
            "rel_deleted = 0 ORDER BY rel_id",
            record_.id);
    }
    if (hasType(EntityType::Resource)) {
        return relationsOf(
            "SELECT * FROM Relation WHERE rel_end_ent_id = ? AND rel_Type = 14 AND "
            "rel_deleted = 0 ORDER BY rel_id",
            record_.id);
    }
    return std::make_shared<ObjRelations>();
}

std::shared_ptr<ObjRelations> generic::GetRelations(std::int16_t rel_type,
                                                    std::int16_t direction) const {
    refuseUnusable(msg::DeletedEntityNoAccess);
    refuseUnknownDirection(direction);
    const std::string where = "SELECT * FROM Relation WHERE " +
                              std::string(directionCondition(direction)) + " AND rel_deleted = 0";
    if (rel_type == 0) {
        return relationsOf(where + " ORDER BY rel_id", record_.id);
    }
    return relationsOf(where + " AND rel_Type = ?2 ORDER BY rel_id", record_.id, rel_type);
}

std::shared_ptr<ObjRelations> generic::GetSlotRelations(std::int32_t slotId,
                                                        std::int16_t direction) const {
    refuseUnusable(msg::DeletedEntityNoAccess);
    refuseUnknownDirection(direction);
    return relationsOf("SELECT * FROM Relation WHERE " +
                           std::string(directionCondition(direction)) +
                           " AND rel_slot_id = ?2 AND rel_deleted = 0 ORDER BY rel_id",
                       record_.id, slotId);
}

std::shared_ptr<ObjRelations> generic::GetDecompRelations() const {
    refuseUnusable(msg::DeletedEntityNoAccess);
    return relationsOf(
        "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_Type IN (1, 8) AND "
        "rel_deleted = 0 ORDER BY rel_id",
        record_.id);
}

std::shared_ptr<ObjRelations> generic::GetConnectorsInContext(const generic& context) const {
    // No deleted test: the walk for dangling ports asks this of deleted entities too.
    if (!bound_ || !context.bound_) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return relationsOf(
        "SELECT * FROM Relation WHERE (rel_start_ent_id = ?1 OR rel_end_ent_id = ?1) AND "
        "rel_Type IN (2, 3) AND rel_context_ent_id = ?2 AND rel_deleted = 0 ORDER BY rel_id",
        record_.id, context.record_.id);
}

}  // namespace kt
