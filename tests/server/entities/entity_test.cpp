#include "server/entities/entity.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/generalization.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class EntityObject : public test::OpenCatalogueFixture {
protected:
    std::shared_ptr<Entity> bound(std::int32_t key) {
        auto entity = std::make_shared<Entity>();
        entity->LoadFromID(EntityID(key));
        return entity;
    }
};

TEST_F(EntityObject, LoadFromIDRefusesOtherKindsBeforeTouchingTheDatabase) {
    reset_global_db();  // no catalogue open: any query would fail differently
    for (const std::int32_t id : {1207, 1280, 1270, 1201, 1216, -170, 5}) {
        Entity entity;
        const Error error = errorOf([&] { entity.LoadFromID(id); });
        EXPECT_EQ(error.number(), objectError(6)) << id;
        EXPECT_EQ(error.description(), "This is not the ID of an entity.");
    }
}

TEST_F(EntityObject, LoadFromIDOfAMissingKeyFailsWithError2) {
    Entity entity;
    const Error error = errorOf([&] { entity.LoadFromID(EntityID(4242)); });
    EXPECT_EQ(error.number(), objectError(2));
    EXPECT_EQ(error.description(), "This entity is not present in the database.");
}

TEST_F(EntityObject, LoadFromIDBindsLiveAndDeletedEntities) {
    const std::int32_t key = addEntity("Valve");
    EXPECT_EQ(bound(key)->Name(), "Valve");
    EXPECT_EQ(bound(key)->GetGeneric()->ID(), key);
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", key);
    EXPECT_TRUE(bound(key)->GetGeneric()->Deleted());
    EXPECT_EQ(bound(1)->Name(), "Tessary Root");
}

TEST_F(EntityObject, NameLetGoesThroughTheWorker) {
    const std::int32_t key = addEntity("Old");
    auto entity = bound(key);
    entity->setName("New \"quoted\" name");
    EXPECT_EQ(entity->Name(), "New \"quoted\" name");
    EXPECT_EQ(bound(key)->Name(), "New \"quoted\" name");
}

TEST_F(EntityObject, TwoObjectsOfOneRowKeepSeparateCopies) {
    const std::int32_t key = addEntity("Shared row");
    auto first = bound(key);
    auto second = bound(key);
    first->setName("Changed by the first");
    EXPECT_EQ(second->Name(), "Shared row");

    // Handing over a worker shares it.
    Entity third;
    third.SetGeneric(first->GetGeneric());
    EXPECT_EQ(third.Name(), "Changed by the first");
    EXPECT_EQ(third.GetGeneric(), first->GetGeneric());
}

TEST_F(EntityObject, AnUnboundEntityReadsEmptyAndRefusesChanges) {
    Entity entity;
    EXPECT_EQ(entity.Name(), "");
    EXPECT_FALSE(entity.GetGeneric()->isBound());
    EXPECT_EQ(errorOf([&] { entity.setName("Activity Root renamed"); }).number(), objectError(2));
    EXPECT_EQ(textOf("SELECT ent_name FROM Entity WHERE ent_id = 0"), "Activity Root");
}

TEST_F(EntityObject, UpdateCachedCountsGoesThroughTheWorker) {
    const std::int32_t key = addEntity("Parent");
    link(key, addEntity("child"), direct_specialization);
    bound(key)->UpdateCachedCounts();
    EXPECT_EQ(bound(key)->GetGeneric()->SpecCount(), 1);
}

TEST_F(EntityObject, AnUnboundEntityNeitherSpecializesNorAdopts) {
    Entity entity;
    Entity child;
    const std::vector<std::function<void()>> members{
        [&] { entity.AddNewSpecialization("n", "c"); },
        [&] { entity.AdoptSpecialization(child); },
    };
    for (const auto& call : members) {
        EXPECT_EQ(errorOf(call).number(), objectError(2));
    }
}

class Generalization : public EntityObject {
protected:
    // root <- middle <- leaf (spec_type 1), and an activity under a bundle and an activity.
    void SetUp() override {
        EntityObject::SetUp();
        root_ = addEntity("root");
        middle_ = addEntity("middle");
        leaf_ = addEntity("leaf");
        link(root_, middle_, direct_specialization);
        link(middle_, leaf_, direct_specialization);
    }
    std::int32_t root_ = 0;
    std::int32_t middle_ = 0;
    std::int32_t leaf_ = 0;
};

TEST_F(Generalization, FollowsTheHierarchyUpward) {
    EXPECT_TRUE(bound(leaf_)->HasGeneralization(*bound(root_)));
    EXPECT_TRUE(bound(leaf_)->HasGeneralization(*bound(middle_)));
    EXPECT_FALSE(bound(root_)->HasGeneralization(*bound(leaf_)));
    EXPECT_FALSE(bound(leaf_)->HasGeneralization(*bound(addEntity("stranger"))));
}

TEST_F(Generalization, ActivitiesFollowTheirActivityLinks) {
    const std::int32_t general = addEntity("general", EntityType::Activity);
    const std::int32_t bundle = addEntity("bundle", EntityType::Bundle);
    const std::int32_t special = addEntity("special", EntityType::Activity);
    link(bundle, special, direct_specialization);
    link(general, special, cache_specialization);
    EXPECT_TRUE(IsGeneralizationOf(special, general));
    EXPECT_FALSE(IsGeneralizationOf(special, bundle));
}

TEST_F(Generalization, AnEntityIsItsOwnGeneralizationWithoutTheDatabase) {
    auto leaf = bound(leaf_);
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", leaf_);
    leaf->GetGeneric()->Init(leaf_);
    reset_global_db();
    EXPECT_TRUE(leaf->HasGeneralization(*leaf));
    EXPECT_TRUE(IsGeneralizationOf(99999, 99999));
}

TEST_F(Generalization, ADeletedEntityOnTheWayFailsWithError22) {
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", middle_);
    const Error error = errorOf([&] { IsGeneralizationOf(leaf_, root_); });
    EXPECT_EQ(error.number(), objectError(22));
    EXPECT_EQ(error.description(), "You cannot make any changes to a deleted entity.");
}

TEST_F(Generalization, ACycleEndsTheWalk) {
    link(leaf_, root_, direct_specialization);
    EXPECT_TRUE(IsGeneralizationOf(leaf_, middle_));
    EXPECT_FALSE(IsGeneralizationOf(leaf_, addEntity("outside")));
}

TEST_F(Generalization, AnUnboundSideFailsWithError2) {
    Entity unbound;
    EXPECT_EQ(errorOf([&] { bound(leaf_)->HasGeneralization(unbound); }).number(), objectError(2));
    EXPECT_EQ(errorOf([&] { unbound.HasGeneralization(*bound(leaf_)); }).number(), objectError(2));
}

}  // namespace
}  // namespace kt
