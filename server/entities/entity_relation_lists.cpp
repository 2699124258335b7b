// The entity's relation lists and its place in the specialization hierarchy.
#include <span>
#include <vector>

#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

namespace {

// An entity that was never bound would answer for key 0, "Activity Root".
const generic& boundWorker(Entity& entity) {
    const generic& worker = *entity.GetGeneric();
    if (!worker.isBound()) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return worker;
}

// Entities for the keys of a key array, from index 1; deleted ones are left out.
std::shared_ptr<Entities> entitiesOfKeys(std::span<const std::int32_t> keys) {
    auto entities = std::make_shared<Entities>();
    for (const std::int32_t key : keys.subspan(1)) {
        entities->AddByID(EntityID(key));
    }
    return entities;
}

}  // namespace

std::shared_ptr<ObjRelations> Entity::GetRelations(std::int16_t rel_type, std::int16_t direction) {
    return boundWorker(*this).GetRelations(rel_type, direction);
}

std::shared_ptr<ObjRelations> Entity::GetPerformedBy() {
    return boundWorker(*this).GetPerformedByRelations();
}

std::shared_ptr<ObjRelations> Entity::GetExceptions() {
    return boundWorker(*this).GetExceptions();
}

std::shared_ptr<ObjRelations> Entity::GetExceptionHandlers() {
    return boundWorker(*this).GetExceptionHandlers();
}

std::shared_ptr<ObjRelations> Entity::GetDecomposition() {
    return boundWorker(*this).GetDecomposition();
}

std::shared_ptr<ObjRelations> Entity::GetPortRelations() {
    return boundWorker(*this).GetPortRels();
}

std::shared_ptr<ObjRelations> Entity::GetWhereUsed() {
    return boundWorker(*this).GetWhereUsed();
}

std::shared_ptr<ObjRelations> Entity::GetNavRelations() {
    return boundWorker(*this).GetNavRelations();
}

std::shared_ptr<ObjRelations> Entity::GetNavigatedFrom() {
    return boundWorker(*this).GetNavigatedFrom();
}

std::shared_ptr<Entities> Entity::GetParentBundles() {
    const generic& worker = boundWorker(*this);
    if (!worker.hasType(EntityType::Activity)) {
        throw catalogueError(msg::NotAnActivity);
    }
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    auto parents = global_db().CreateSnapshot(
        "SELECT spec_parent_ent_id FROM Specialization WHERE spec_child_ent_id = ? AND "
        "spec_type = ? AND spec_deleted = 0 ORDER BY spec_display_order, spec_id",
        worker.ID(), direct_specialization);
    auto bundles = std::make_shared<Entities>();
    bundles->AddRows(parents, "spec_parent_ent_id");
    reading.commit();
    return bundles;
}

std::shared_ptr<Entities> Entity::GetSpecializations(
    std::optional<std::int16_t> Specialization_Type) {
    if (Specialization_Type && *Specialization_Type != direct_specialization &&
        *Specialization_Type != cache_specialization) {
        throw catalogueError(msg::InvalidSpecializationType);
    }
    const generic& worker = boundWorker(*this);
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    std::vector<std::int32_t> keys;
    worker.GetSpecIDs(keys, Specialization_Type);
    auto specializations = entitiesOfKeys(keys);
    reading.commit();
    return specializations;
}

std::shared_ptr<Entities> Entity::GetGeneralizations() {
    const generic& worker = boundWorker(*this);
    Transaction reading(global_db().database(), Transaction::Mode::Read);
    std::vector<std::int32_t> keys;
    worker.GetGenIDs(keys);
    auto generalizations = entitiesOfKeys(keys);
    reading.commit();
    return generalizations;
}

}  // namespace kt
