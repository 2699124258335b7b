#include "tests/server/support/fixture_catalogue.h"

#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"

namespace kt::test {

std::int32_t FixtureCatalogue::entity(const std::string& name, EntityType type) {
    Database& database = global_db().database();
    Transaction operation(database);
    NewEntity row;
    row.name = name;
    row.contact = "fixture";
    row.type = type;
    row.isBundle = type == EntityType::Bundle;
    const std::int32_t key = insertEntity(database, row);
    operation.commit();
    return key;
}

void FixtureCatalogue::specialize(std::int32_t parent, std::int32_t child, SpecializationType type,
                                  std::int32_t displayOrder) {
    Database& database = global_db().database();
    Transaction operation(database);
    database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, ?)", NewSpecID(), parent,
                     child, type, displayOrder);
    operation.commit();
}

std::int32_t FixtureCatalogue::specializeActivity(std::int32_t parent, std::int32_t bundle,
                                                  const std::string& name) {
    const std::int32_t key = entity(name, EntityType::Activity);
    specialize(bundle, key, direct_specialization);
    specialize(parent, key, cache_specialization);
    return key;
}

std::shared_ptr<ObjRelation> FixtureCatalogue::relation(const FixtureRelation& relation) {
    Database& database = global_db().database();
    Transaction operation(database);
    generic end;
    end.Init(relation.end);
    NewRelation row;
    row.key = NewRelationID();
    row.contact = "fixture";
    row.startKey = relation.start;
    row.endKey = relation.end;
    row.inherited = relation.inheritedFrom.has_value();
    row.inheritedFromKey = relation.inheritedFrom.value_or(row.key);
    row.type = static_cast<std::int16_t>(relation.type);
    row.name = "fixture relation";
    row.contextKey = relation.context.value_or(relation.start);
    row.slotId = relation.slot ? *relation.slot : NewSlotID();
    row.contextPath = relation.contextPath;
    row.displayOrder = relation.displayOrder;
    row.endEntityType = end.Typ();
    row.uniqueId = relation.uniqueId;
    auto inserted = std::make_shared<ObjRelation>();
    inserted->InsertNew(row);
    operation.commit();
    return inserted;
}

std::vector<std::shared_ptr<ObjRelation>> FixtureCatalogue::repeated(
    FixtureRelation relation, std::initializer_list<std::int32_t> entities, RelationAnchor anchor,
    bool inherited) {
    std::vector<std::shared_ptr<ObjRelation>> all;
    for (const std::int32_t at : entities) {
        if (anchor == RelationAnchor::Context) {
            relation.context = at;
        } else {
            relation.start = at;
        }
        all.push_back(this->relation(relation));
        relation.slot = all.front()->SlotID();
        if (inherited) {
            relation.inheritedFrom = keyOf(*all.front());
        }
    }
    return all;
}

void FixtureCatalogue::deleteEntity(std::int32_t key) {
    loadedWorker(key).setDeleted(true);
}

std::int32_t keyOf(const ObjRelation& relation) {
    return KeyOfID(relation.ID());
}

generic loadedWorker(std::int32_t key) {
    generic worker;
    worker.Init(key);
    return worker;
}

}  // namespace kt::test
