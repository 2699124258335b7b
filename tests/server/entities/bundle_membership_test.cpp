#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "server/catalogue/catalogue_queries.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"

namespace kt {
namespace {

using test::errorOf;
using test::loadedWorker;
using Keys = std::vector<std::int32_t>;

std::string text(const std::string& sql) {
    const auto value = global_db().database().scalar(sql);
    return value && !isNull(*value) ? Field("text", *value).asText() : std::string();
}

std::string everything() {
    return text(
               "SELECT group_concat(ent_id || '/' || ent_last_modified || '/' || "
               "ent_cache_spec_count || '/' || ent_cache_bundle_count, ' ') FROM Entity") +
           " | " +
           text(
               "SELECT group_concat(spec_id || '/' || spec_parent_ent_id || '/' || "
               "spec_child_ent_id || '/' || spec_type || '/' || spec_deleted, ' ') "
               "FROM Specialization");
}

std::shared_ptr<Entity> entity(std::int32_t key) {
    return GetEntity(EntityID(key));
}

std::shared_ptr<Entities> listOf(const Keys& keys) {
    auto list = std::make_shared<Entities>();
    for (const std::int32_t key : keys) {
        list->AddItem(entity(key));
    }
    return list;
}

// The live members of a bundle, or bundles of an activity, in their list order.
Keys members(std::int32_t owner) {
    const generic worker = loadedWorker(owner);
    const auto list =
        worker.hasType(EntityType::Bundle) ? worker.GetActivities() : worker.GetBundles();
    Keys keys;
    for (const auto& member : *list) {
        keys.push_back(member->GetGeneric()->ID());
    }
    return keys;
}

std::int16_t indexOf(std::int32_t owner, std::int32_t member) {
    const Keys keys = members(owner);
    return static_cast<std::int16_t>(std::ranges::find(keys, member) - keys.begin() + 1);
}

// The activity "Run" with its bundle "Default Run" holding "Jog" and "Sprint", and the
// empty bundle "Fast" of Run.
class BundleMembership : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        const auto run = entity(0)->AddNewSpecialization("Run", "");
        run_ = run->GetGeneric()->ID();
        jog_ = run->AddNewSpecialization("Jog", "")->GetGeneric()->ID();
        sprint_ = run->AddNewSpecialization("Sprint", "")->GetGeneric()->ID();
        default_ = members(run_).front();
        fast_ = make_.entity("Fast", EntityType::Bundle);
        entity(run_)->AddItemToAttrCol("kt_Bundles", entity(fast_));
    }
    std::int32_t specCount(std::int32_t key) { return loadedWorker(key).SpecCount(); }

    test::FixtureCatalogue make_;
    std::int32_t run_ = 0, jog_ = 0, sprint_ = 0, default_ = 0, fast_ = 0;
};

TEST_F(BundleMembership, ABundleIsAddedToItsActivity) {
    EXPECT_EQ(members(run_), (Keys{default_, fast_}));
    EXPECT_EQ(loadedWorker(run_).BundleCount(), 2);
    EXPECT_EQ(loadedWorker(default_).Name(), "Default Run");
    EXPECT_EQ(specCount(default_), 2);
}

TEST_F(BundleMembership, ActivitiesJoinAndLeaveABundle) {
    entity(fast_)->AddItemToAttrCol("kt_Activities", entity(sprint_));
    EXPECT_EQ(members(fast_), (Keys{sprint_}));
    EXPECT_EQ(specCount(fast_), 1);

    // Sprint is still in the default bundle, so leaving Fast moves it nowhere.
    entity(fast_)->RemoveItemFromAttrCol("kt_Activities", 1);
    EXPECT_EQ(members(fast_), Keys{});
    EXPECT_EQ(members(default_), (Keys{jog_, sprint_}));
    EXPECT_EQ(specCount(fast_), 0);

    // Held by Fast alone, it goes back to the default bundle when it leaves.
    entity(fast_)->AddItemToAttrCol("kt_Activities", entity(sprint_));
    entity(default_)->RemoveItemFromAttrCol("kt_Activities", indexOf(default_, sprint_));
    EXPECT_EQ(members(default_), (Keys{jog_}));
    entity(fast_)->SetAttributeObject("kt_Activities", listOf({}));
    EXPECT_EQ(members(default_), (Keys{jog_, sprint_}));
    EXPECT_EQ(specCount(default_), 2);
    EXPECT_EQ(specCount(fast_), 0);
}

TEST_F(BundleMembership, LeavingTheDefaultBundleForNowhereLeavesNothingBehind) {
    entity(fast_)->AddItemToAttrCol("kt_Activities", entity(sprint_));
    entity(default_)->RemoveItemFromAttrCol("kt_Activities", indexOf(default_, sprint_));
    const std::string before = everything();
    // Sprint would join and Jog would leave for nowhere: neither happens.
    const Error error =
        errorOf([&] { entity(default_)->SetAttributeObject("kt_Activities", listOf({sprint_})); });
    EXPECT_EQ(error.number(), objectError(18));
    EXPECT_EQ(error.description(), "You cannot remove this activity from the default bundle.");
    EXPECT_EQ(everything(), before);
}

TEST_F(BundleMembership, ARemovedBundleHandsItsOwnActivitiesToTheDefault) {
    entity(fast_)->AddItemToAttrCol("kt_Activities", entity(sprint_));
    entity(default_)->RemoveItemFromAttrCol("kt_Activities", indexOf(default_, sprint_));
    entity(run_)->RemoveItemFromAttrCol("kt_Bundles", indexOf(run_, fast_));
    EXPECT_EQ(members(run_), (Keys{default_}));
    EXPECT_EQ(members(default_), (Keys{jog_, sprint_}));
    EXPECT_EQ(loadedWorker(run_).BundleCount(), 1);
    EXPECT_EQ(specCount(default_), 2);

    // The default bundle stays.
    const std::string links =
        text("SELECT group_concat(spec_id || spec_deleted) FROM Specialization");
    entity(run_)->SetAttributeObject("kt_Bundles", listOf({}));
    EXPECT_EQ(text("SELECT group_concat(spec_id || spec_deleted) FROM Specialization"), links);
    EXPECT_EQ(loadedWorker(run_).BundleCount(), 1);
}

TEST_F(BundleMembership, TheSameListWritesNoLink) {
    const std::string links =
        text("SELECT group_concat(spec_id || spec_deleted) FROM Specialization");
    entity(run_)->SetAttributeObject("kt_Bundles", listOf({default_, fast_}));
    EXPECT_EQ(text("SELECT group_concat(spec_id || spec_deleted) FROM Specialization"), links);
    EXPECT_EQ(loadedWorker(run_).BundleCount(), 2);
}

TEST_F(BundleMembership, UnfitObjectsAreRefusedBeforeAnythingIsWritten) {
    const std::int32_t thing = make_.entity("Thing");
    const std::int32_t stranger = make_.entity("Stranger", EntityType::Activity);
    const std::int32_t walk = entity(0)->AddNewSpecialization("Walk", "")->GetGeneric()->ID();
    const std::int32_t taken = make_.entity("Taken", EntityType::Bundle);
    entity(walk)->AddItemToAttrCol("kt_Bundles", entity(taken));
    struct Case {
        std::string label;
        std::function<void()> call;
        std::int32_t number;
    };
    const std::vector<Case> cases{
        {"not an activity",
         [&] { entity(fast_)->SetAttributeObject("kt_Activities", listOf({thing})); },
         objectError(17)},
        {"not below the bundle's activity",
         [&] { entity(fast_)->AddItemToAttrCol("kt_Activities", entity(stranger)); },
         objectError(17)},
        {"not a bundle", [&] { entity(run_)->AddItemToAttrCol("kt_Bundles", entity(jog_)); },
         objectError(17)},
        {"another activity's bundle",
         [&] { entity(run_)->AddItemToAttrCol("kt_Bundles", entity(taken)); }, objectError(17)},
        {"no list", [&] { entity(run_)->SetAttributeObject("kt_Bundles", AttributeObject{}); },
         objectError(17)},
        {"wrong owner", [&] { entity(jog_)->SetAttributeObject("kt_Activities", listOf({})); },
         objectError(3)},
        {"no object inside", [&] { entity(jog_)->SetAttributeObject("kt_Name", listOf({})); },
         objectError(19)},
        {"index outside", [&] { entity(fast_)->RemoveItemFromAttrCol("kt_Activities", 1); },
         subscriptOutOfRange().number()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::string before = everything();
        const Error error = errorOf(c.call);
        EXPECT_EQ(error.number(), c.number);
        EXPECT_EQ(everything(), before);
    }
}

}  // namespace
}  // namespace kt
