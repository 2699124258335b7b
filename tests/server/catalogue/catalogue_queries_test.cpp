#include "server/catalogue/catalogue_queries.h"

#include <gtest/gtest.h>

#include "server/attributes/obj_relation.h"
#include "server/catalogue/ktdb.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class CatalogueQueries : public test::OpenCatalogueFixture {
protected:
    KTDB ktdb_;
};

TEST_F(CatalogueQueries, EntityByPIFID) {
    const std::int32_t key = addEntity("Pump", EntityType::Thing, "PIF-7");
    const auto entity = ktdb_.GetEntityByPIFID("pif-7");
    EXPECT_EQ(entity->Name(), "Pump");
    EXPECT_EQ(entity->GetGeneric()->ID(), key);

    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", key);
    for (const std::string pifId : {"PIF-7", "nothing", "\" OR \"\"=\""}) {
        const Error error = errorOf([&] { ktdb_.GetEntityByPIFID(pifId); });
        EXPECT_EQ(error.number(), objectError(666));
        EXPECT_EQ(error.source(), "GetEntityByPIFID");
        EXPECT_EQ(error.description(), "This entity does not exist in the database");
    }
}

TEST_F(CatalogueQueries, RootEntityAndEntityByID) {
    EXPECT_EQ(ktdb_.GetRootEntity()->Name(), "Tessary Root");
    EXPECT_EQ(ktdb_.GetEntity(EntityID(0))->Name(), "Activity Root");
    sql("UPDATE Entity SET ent_name = 'Former Root' WHERE ent_name = 'Tessary Root'");
    EXPECT_EQ(errorOf([&] { ktdb_.GetRootEntity(); }).number(), objectError(2));
}

TEST_F(CatalogueQueries, EntitiesByNameGivesEachRowItsOwnEntity) {
    const std::int32_t first = addEntity("Twin", EntityType::Thing, "T1");
    const std::int32_t second = addEntity("Twin", EntityType::Activity, "T2");
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", addEntity("Twin"));
    sql("UPDATE Entity SET ent_acl = NULL, ent_cache_spec_count = 3 WHERE ent_id = ?", second);

    const auto twins = ktdb_.GetEntitiesByName("twin");
    ASSERT_EQ(twins->Count(), 2);
    const auto& a = twins->GetItemByIndex(1)->GetGeneric();
    const auto& b = twins->GetItemByIndex(2)->GetGeneric();
    EXPECT_NE(twins->GetItemByIndex(1), twins->GetItemByIndex(2));
    EXPECT_NE(a, b);
    EXPECT_EQ(a->ID(), first);
    EXPECT_EQ(a->UniqueID(), "T1");
    EXPECT_EQ(a->ACL(), 7);
    EXPECT_EQ(b->ID(), second);
    EXPECT_EQ(b->UniqueID(), "T2");
    EXPECT_EQ(b->Typ(), 1);
    EXPECT_EQ(b->ACL(), 0);
    EXPECT_EQ(b->SpecCount(), 3);
    EXPECT_TRUE(a->isBound());

    // A worker filled from the row changes its row like a loaded one.
    b->setName("Single");
    EXPECT_EQ(ktdb_.GetEntitiesByName("Twin")->Count(), 1);
    EXPECT_EQ(ktdb_.GetEntitiesByName("Nobody")->Count(), 0);
}

TEST_F(CatalogueQueries, RelationByUID) {
    const std::int32_t start = addEntity("start");
    const std::int32_t end = addEntity("end");
    const std::int32_t original = addRelation({.start = start, .end = end});
    const std::int32_t key = addRelation({.start = start,
                                          .end = end,
                                          .type = RelationType::Connector,
                                          .context = 1,
                                          .slot = 12,
                                          .displayOrder = 4,
                                          .uniqueId = "R-1",
                                          .slotUniqueId = "S-1",
                                          .inherited = true,
                                          .inheritedFrom = original,
                                          .name = "Connector"});
    const auto relation = ktdb_.GetRelationByUID("R-1");
    EXPECT_EQ(relation->ID(), RelationID(key));
    EXPECT_EQ(relation->Name(), "Connector");
    EXPECT_EQ(relation->RelationType(), 2);
    EXPECT_EQ(relation->StartID(), EntityID(start));
    EXPECT_EQ(relation->EndID(), EntityID(end));
    EXPECT_EQ(relation->ContextID(), 100);
    EXPECT_TRUE(relation->Inherited());
    EXPECT_EQ(relation->InheritedFromRelID(), RelationID(original));
    EXPECT_EQ(relation->SlotID(), 12);
    EXPECT_EQ(relation->SlotName(), "slot");
    EXPECT_EQ(relation->ContextPath(), "path");
    EXPECT_EQ(relation->DisplayOrder(), 4);
    EXPECT_EQ(relation->EndEntityType(), 3);
    EXPECT_EQ(relation->SlotUniqueID(), "S-1");
    EXPECT_FALSE(relation->Deleted());

    sql("UPDATE Relation SET rel_deleted = 1 WHERE rel_id = ?", key);
    const Error error = errorOf([&] { ktdb_.GetRelationByUID("R-1"); });
    EXPECT_EQ(error.number(), objectError(2));
    EXPECT_EQ(error.description(), "This relation is not present in the database.");
}

TEST_F(CatalogueQueries, RelationsBySlotUIDInTypeAndDisplayOrder) {
    const std::int32_t start = addEntity("start");
    const auto add = [&](RelationType type, std::int32_t order, bool deleted = false) {
        return addRelation({.start = start,
                            .end = 1,
                            .type = type,
                            .displayOrder = order,
                            .slotUniqueId = "SLOT",
                            .deleted = deleted});
    };
    const std::int32_t connector = add(RelationType::Connector, 1);
    const std::int32_t second = add(RelationType::Decomposition, 2);
    const std::int32_t first = add(RelationType::Decomposition, 1);
    add(RelationType::Decomposition, 0, true);

    const auto slot = ktdb_.GetRelationsBySlotUID("SLOT");
    ASSERT_EQ(slot->Count(), 3);
    EXPECT_EQ(slot->GetItemByIndex(1)->ID(), RelationID(first));
    EXPECT_EQ(slot->GetItemByIndex(2)->ID(), RelationID(second));
    EXPECT_EQ(slot->GetItemByIndex(3)->ID(), RelationID(connector));
    // Not inherited: the relation names itself as its origin.
    EXPECT_EQ(slot->GetItemByIndex(1)->InheritedFromRelID(), RelationID(first));
    EXPECT_EQ(ktdb_.GetRelationsBySlotUID("none")->Count(), 0);
}

TEST_F(CatalogueQueries, NewBundle) {
    const auto bundle = ktdb_.GetNewBundle("Default \"Quoted\"");
    const auto& worker = bundle->GetGeneric();
    EXPECT_EQ(worker->Name(), "Default \"Quoted\"");
    EXPECT_EQ(worker->Contact(), "Auto Upgrade");
    EXPECT_EQ(worker->Typ(), 2);
    EXPECT_FALSE(worker->Deleted());
    EXPECT_TRUE(worker->UniqueID().ends_with("UF" + std::to_string(worker->ID())));
    EXPECT_EQ(worker->SpecCount(), 0);
}

}  // namespace
}  // namespace kt
