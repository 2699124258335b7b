#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "server/attributes/obj_relation.h"
#include "server/catalogue/catalogue_queries.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_rows.h"

namespace kt {
namespace {

using test::errorOf;
using test::loadedWorker;

std::shared_ptr<Entity> entity(std::int32_t key) {
    return GetEntity(EntityID(key));
}

std::int32_t keyOf(Entity& entity) {
    return entity.GetGeneric()->ID();
}

bool deleted(std::int32_t key) {
    return loadedWorker(key).Deleted();
}

std::int32_t number(const std::string& sql, std::int32_t key) {
    return Field("number", *global_db().database().scalar(sql, key)).asLong();
}

std::int32_t liveLinks(std::int32_t parent, std::int32_t child) {
    return Field("links", *global_db().database().scalar(
                              "SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = ? "
                              "AND spec_child_ent_id = ? AND spec_deleted = 0",
                              parent, child))
        .asLong();
}

// The live decomposition of an entity as (slot, end, inherited-from key) triples.
struct Child {
    std::int32_t slot;
    std::int32_t end;
    std::int32_t inheritedFrom;
    bool operator==(const Child&) const = default;
};

std::vector<Child> decompositionOf(std::int32_t key) {
    Recordset rows = global_db().CreateSnapshot(
        "SELECT rel_slot_id, rel_end_ent_id, rel_inherit_from_rel_id FROM Relation WHERE "
        "rel_start_ent_id = ? AND rel_Type = 1 AND rel_deleted = 0 ORDER BY rel_slot_id",
        key);
    std::vector<Child> children;
    for (; !rows.eof(); rows.moveNext()) {
        children.push_back({rows["rel_slot_id"].asLong(), rows["rel_end_ent_id"].asLong(),
                            rows["rel_inherit_from_rel_id"].asLong()});
    }
    return children;
}

class SpecRemoval : public test::OpenCatalogueFixture {
protected:
    test::FixtureCatalogue make_;
};

// "Tool" decomposes into "Blade" and "Grip"; its specialization "Knife" has lost the grip.
// "Multi" was adopted by both: it holds Tool's two slots as copies of Tool's relations.
class ThingWithTwoGeneralizations : public SpecRemoval {
protected:
    void SetUp() override {
        SpecRemoval::SetUp();
        tool_ = make_.entity("Tool");
        blade_ = make_.entity("Blade");
        grip_ = make_.entity("Grip");
        generic tool = loadedWorker(tool_);
        bladeSlot_ = tool.AddDecomposition(loadedWorker(blade_), 0, 1, "", "")->SlotID();
        gripSlot_ = tool.AddDecomposition(loadedWorker(grip_), 0, 2, "", "")->SlotID();
        knife_ = keyOf(*entity(tool_)->AddNewSpecialization("Knife", ""));
        loadedWorker(grip_).RemoveFromDecomp(loadedWorker(knife_), gripSlot_, "", false, false);
        multi_ = make_.entity("Multi");
        entity(tool_)->AdoptSpecialization(*entity(multi_));
        entity(knife_)->AdoptSpecialization(*entity(multi_));
    }

    std::int32_t tool_ = 0, blade_ = 0, grip_ = 0, knife_ = 0, multi_ = 0;
    std::int32_t bladeSlot_ = 0, gripSlot_ = 0;
};

TEST_F(ThingWithTwoGeneralizations, LeavingOneFollowsTheOtherWhereItFillsTheSlot) {
    const std::int32_t knifeBlade = number(
        "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_Type = 1 AND "
        "rel_deleted = 0",
        knife_);
    const std::int16_t toolSpecs = loadedWorker(tool_).SpecCount();

    EXPECT_TRUE(entity(multi_)->RemoveFromSpec(*entity(tool_)));

    EXPECT_FALSE(deleted(multi_));
    EXPECT_EQ(liveLinks(tool_, multi_), 0);
    EXPECT_EQ(liveLinks(knife_, multi_), 1);
    EXPECT_EQ(loadedWorker(tool_).SpecCount(), toolSpecs - 1);
    // The blade now follows Knife's relation; the grip, which only Tool gave, has left.
    EXPECT_EQ(decompositionOf(multi_), (std::vector<Child>{{bladeSlot_, blade_, knifeBlade}}));
    EXPECT_EQ(loadedWorker(multi_).DecompCount(), 1);
}

TEST_F(ThingWithTwoGeneralizations, AnEntityThatIsNoSpecializationIsRefusedAndNothingChanges) {
    const std::string before = test::hierarchyState();

    const Error error = errorOf([&] { entity(blade_)->RemoveFromSpec(*entity(grip_)); });

    EXPECT_EQ(error.number(), 666);
    EXPECT_EQ(error.source(), "RemoveFromSpec");
    EXPECT_EQ(error.description(), "Blade is not a specialization of Grip");
    EXPECT_EQ(test::hierarchyState(), before);
}

TEST_F(ThingWithTwoGeneralizations, TheLastGeneralizationTakesTheEntityAndWhatHangsOnlyBelowIt) {
    const std::int32_t edge = keyOf(*entity(knife_)->AddNewSpecialization("Edge", ""));
    const std::int32_t chest = make_.entity("Chest");
    loadedWorker(chest).AddDecomposition(loadedWorker(knife_), 0, 1, "", "");
    make_.relation({.type = RelationType::HasException, .start = knife_, .end = grip_});

    EXPECT_TRUE(entity(knife_)->RemoveFromSpec(*entity(tool_)));

    EXPECT_TRUE(deleted(knife_));
    EXPECT_TRUE(deleted(edge));     // its only generalization went
    EXPECT_FALSE(deleted(multi_));  // Tool still holds it
    EXPECT_EQ(liveLinks(knife_, multi_), 0);
    EXPECT_EQ(number("SELECT COUNT(*) FROM Relation WHERE (rel_start_ent_id = ? OR "
                     "rel_end_ent_id = ?1) AND rel_deleted = 0",
                     knife_),
              0);
    EXPECT_EQ(loadedWorker(chest).DecompCount(), 0);
    EXPECT_EQ(loadedWorker(tool_).SpecCount(), 1);
    // Multi keeps Tool's slots, still as copies of Tool's relations.
    EXPECT_EQ(decompositionOf(multi_).size(), 2u);
}

TEST_F(ThingWithTwoGeneralizations, AFailureHalfWayLeavesEverythingAsItWas) {
    global_db().database().execute(
        "CREATE TRIGGER refuse BEFORE UPDATE OF rel_deleted ON Relation BEGIN "
        "SELECT RAISE(ABORT, 'relations are frozen'); END");
    const std::string before = test::hierarchyState();

    const Error error = errorOf([&] { entity(knife_)->RemoveFromSpec(*entity(tool_)); });

    EXPECT_EQ(error.number(), 666);
    EXPECT_EQ(error.source(), "RemoveFromSpec");
    EXPECT_NE(error.description().find("relations are frozen"), std::string::npos);
    EXPECT_EQ(test::hierarchyState(), before);
}

TEST_F(SpecRemoval, ACycleOfLinksIsTakenOnce) {
    const std::int32_t first = make_.entity("First");
    const std::int32_t second = make_.entity("Second");
    make_.specialize(first, second);
    make_.specialize(second, first);

    EXPECT_TRUE(entity(first)->RemoveFromSpec(*entity(second)));

    EXPECT_TRUE(deleted(first));
    EXPECT_TRUE(deleted(second));
}

// The activity "Run" holds "Jog" in its bundle "Default Run" and has the empty bundle "Fast";
// "Trot" specializes Jog.
class ActivityRemoval : public SpecRemoval {
protected:
    void SetUp() override {
        SpecRemoval::SetUp();
        const auto run = entity(0)->AddNewSpecialization("Run", "");
        run_ = keyOf(*run);
        const auto bundles = run->GetGeneric()->GetBundles();
        defaultRun_ = bundles->GetItemByIndex(1)->GetGeneric()->ID();
        fast_ = addBundle(run_, "Fast");
        jog_ = keyOf(*run->AddNewSpecialization("Jog", ""));
        jogBundle_ =
            entity(jog_)->GetGeneric()->GetBundles()->GetItemByIndex(1)->GetGeneric()->ID();
        trot_ = keyOf(*entity(jog_)->AddNewSpecialization("Trot", ""));
    }

    std::int32_t addBundle(std::int32_t activity, const std::string& name) {
        const std::int32_t bundle = make_.entity(name, EntityType::Bundle);
        make_.specialize(activity, bundle, direct_specialization);
        return bundle;
    }

    std::int32_t run_ = 0, defaultRun_ = 0, fast_ = 0, jog_ = 0, jogBundle_ = 0, trot_ = 0;
};

TEST_F(ActivityRemoval, LeavingItsGeneralizationActivityTakesItsBundlesAndSpecializations) {
    const std::int16_t runSpecs = loadedWorker(run_).SpecCount();
    const std::int16_t bundleSpecs = loadedWorker(defaultRun_).SpecCount();

    EXPECT_TRUE(entity(jog_)->RemoveFromSpec(*entity(run_)));

    EXPECT_TRUE(deleted(jog_));
    EXPECT_TRUE(deleted(jogBundle_));
    EXPECT_TRUE(deleted(trot_));
    EXPECT_EQ(liveLinks(run_, jog_) + liveLinks(defaultRun_, jog_), 0);
    EXPECT_EQ(loadedWorker(run_).SpecCount(), runSpecs - 1);
    EXPECT_EQ(loadedWorker(defaultRun_).SpecCount(), bundleSpecs - 1);
    EXPECT_FALSE(deleted(run_));
    EXPECT_FALSE(deleted(defaultRun_));
}

TEST_F(ActivityRemoval, LeavingTheBundleThatHoldsItAlsoLeavesTheBundlesActivity) {
    EXPECT_TRUE(entity(jog_)->RemoveFromSpec(*entity(defaultRun_)));

    EXPECT_EQ(liveLinks(run_, jog_) + liveLinks(defaultRun_, jog_), 0);
    EXPECT_TRUE(deleted(jog_));
}

TEST_F(ActivityRemoval, ABundleThatDoesNotHoldTheActivityChangesNothing) {
    const std::string before = test::hierarchyState();

    EXPECT_FALSE(entity(jog_)->RemoveFromSpec(*entity(fast_)));

    EXPECT_EQ(test::hierarchyState(), before);
}

TEST_F(ActivityRemoval, TheBundleBetweenTwoActivitiesIsFoundOrReported) {
    bool found = false;
    const auto bundle =
        loadedWorker(jog_).GetParentBundleForActivity(loadedWorker(run_), true, found);
    ASSERT_TRUE(found);
    EXPECT_EQ(bundle->ID(), defaultRun_);

    EXPECT_EQ(loadedWorker(trot_).GetParentBundleForActivity(loadedWorker(run_), true, found),
              nullptr);
    EXPECT_FALSE(found);
    const Error error = errorOf(
        [&] { loadedWorker(trot_).GetParentBundleForActivity(loadedWorker(run_), false, found); });
    EXPECT_EQ(error.description(), "Bundle not found");
    EXPECT_EQ(error.source(), "GetParentBundleForActivity");
}

}  // namespace
}  // namespace kt
