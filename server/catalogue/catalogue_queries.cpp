#include "server/catalogue/catalogue_queries.h"

#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_messages.h"
#include "server/database/db.h"
#include "server/database/entity_lookup.h"
#include "server/database/fixed_entities.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace kt {

std::shared_ptr<Entity> GetEntity(std::int32_t entID) {
    auto entity = std::make_shared<Entity>();
    entity->LoadFromID(entID);
    return entity;
}

std::shared_ptr<Entity> GetEntityByPIFID(const std::string& PIFID) {
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    const auto key = global_db().database().scalar(
        "SELECT ent_id FROM Entity WHERE ent_unique_id = ? AND ent_deleted = 0 ORDER BY ent_id "
        "LIMIT 1",
        PIFID);
    if (!key) {
        throw catalogueError(msg::EntityDoesNotExist);
    }
    auto entity = GetEntity(EntityID(Field("ent_id", *key).asLong()));
    operation.commit();
    return entity;
}

std::shared_ptr<Entity> GetRootEntity() {
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    auto entity = GetEntity(EntityID(GetEntityIDByName(kTessaryRoot)));
    operation.commit();
    return entity;
}

std::shared_ptr<ObjRelation> GetRelationByUID(const std::string& UID) {
    const Recordset row = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_unique_id = ? AND rel_deleted = 0 ORDER BY rel_id "
        "LIMIT 1",
        UID);
    if (row.eof()) {
        throw catalogueError(msg::RelationNotPresent);
    }
    auto relation = std::make_shared<ObjRelation>();
    relation->InitFromFields(readRelationFields(row));
    return relation;
}

std::shared_ptr<ObjRelations> GetRelationsBySlotUID(const std::string& SlotUID) {
    auto rows = global_db().CreateSnapshot(
        "SELECT * FROM Relation WHERE rel_slot_unique_id = ? AND rel_deleted = 0 "
        "ORDER BY rel_Type, rel_display_order, rel_id",
        SlotUID);
    auto relations = std::make_shared<ObjRelations>();
    relations->AddRows(rows);
    return relations;
}

std::shared_ptr<Entities> GetEntitiesByName(const std::string& entName) {
    auto rows = global_db().CreateSnapshot(
        "SELECT * FROM Entity WHERE ent_name = ? AND ent_deleted = 0 ORDER BY ent_id", entName);
    auto entities = std::make_shared<Entities>();
    for (; !rows.eof(); rows.moveNext()) {
        auto worker = std::make_shared<generic>();
        worker->InitFromFields(readEntityRecord(rows));
        entities->AddFromGeneric(std::move(worker));
    }
    return entities;
}

}  // namespace kt
