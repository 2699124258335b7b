#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/support/fixture_catalogue.h"
#include "tests/server/support/relation_keys.h"

namespace kt {
namespace {

using test::errorOf;
using test::keysOf;
using Keys = std::vector<std::int32_t>;

// An activity "Weld" with two bundles and three specializations, and a thing "Part" with three
// specializations, each family linked in a display order that differs from the key order.
class HierarchyReaders : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        weld_ = make_.entity("Weld", EntityType::Activity);
        firstBundle_ = make_.entity("Default Weld", EntityType::Bundle);
        secondBundle_ = make_.entity("Special welds", EntityType::Bundle);
        make_.specialize(weld_, secondBundle_, direct_specialization, 2);
        make_.specialize(weld_, firstBundle_, direct_specialization, 1);
        spot_ = make_.entity("Spot weld", EntityType::Activity);
        seam_ = make_.entity("Seam weld", EntityType::Activity);
        arc_ = make_.entity("Arc weld", EntityType::Activity);
        using Link = std::tuple<std::int32_t, std::int32_t, std::int32_t>;
        for (const auto& [activity, bundle, order] : std::vector<Link>{
                 {spot_, firstBundle_, 3}, {seam_, firstBundle_, 1}, {arc_, secondBundle_, 2}}) {
            make_.specialize(bundle, activity, direct_specialization);
            make_.specialize(weld_, activity, cache_specialization, order);
        }

        part_ = make_.entity("Part");
        bolt_ = make_.entity("Bolt");
        nut_ = make_.entity("Nut");
        washer_ = make_.entity("Washer");
        make_.specialize(part_, bolt_, direct_specialization, 2);
        make_.specialize(part_, nut_, direct_specialization, 0);
        make_.specialize(part_, washer_, direct_specialization, 1);
    }

    static generic worker(std::int32_t key) { return test::loadedWorker(key); }
    std::shared_ptr<Entity> entity(std::int32_t key) {
        auto bound = std::make_shared<Entity>();
        bound->LoadFromID(EntityID(key));
        return bound;
    }
    Keys specIDs(std::int32_t key, std::optional<std::int16_t> type = std::nullopt) {
        Keys ids{-7};  // replaced whole
        worker(key).GetSpecIDs(ids, type);
        return ids;
    }
    Keys genIDs(std::int32_t key) {
        Keys ids;
        worker(key).GetGenIDs(ids);
        return ids;
    }

    test::FixtureCatalogue make_;
    std::int32_t weld_ = 0, firstBundle_ = 0, secondBundle_ = 0, spot_ = 0, seam_ = 0, arc_ = 0;
    std::int32_t part_ = 0, bolt_ = 0, nut_ = 0, washer_ = 0;
};

TEST_F(HierarchyReaders, KeyArraysLeaveElementZeroUnusedAndFollowTheDisplayOrder) {
    EXPECT_EQ(specIDs(weld_), (Keys{0, seam_, arc_, spot_}));  // an activity: spec_type 2
    EXPECT_EQ(specIDs(weld_, direct_specialization), (Keys{0, firstBundle_, secondBundle_}));
    EXPECT_EQ(specIDs(part_), (Keys{0, nut_, washer_, bolt_}));
    EXPECT_EQ(specIDs(bolt_), Keys{0});
    EXPECT_EQ(genIDs(spot_), (Keys{0, weld_}));  // an activity: spec_type 2
    EXPECT_EQ(genIDs(bolt_), (Keys{0, part_}));
    EXPECT_EQ(genIDs(firstBundle_), (Keys{0, weld_}));
}

TEST_F(HierarchyReaders, DeletedLinksAreLeftOutAndDeletedEntitiesOnlyByTheCollections) {
    sql("UPDATE Specialization SET spec_deleted = 1 WHERE spec_child_ent_id = ?", washer_);
    make_.deleteEntity(nut_);
    EXPECT_EQ(specIDs(part_), (Keys{0, nut_, bolt_}));
    EXPECT_EQ(keysOf(*entity(part_)->GetSpecializations()), Keys{bolt_});
}

TEST_F(HierarchyReaders, ActivityRootLooksUpItsGeneralizationThroughType1) {
    // "Activity Root" (key 0) sits under "Tessary Root" through a type-1 link.
    EXPECT_EQ(genIDs(0), (Keys{0, 1}));
    const std::int32_t special = make_.specializeActivity(0, firstBundle_, "Special");
    EXPECT_EQ(genIDs(special), (Keys{0, 0}));
}

TEST_F(HierarchyReaders, BundlesAndTheirActivities) {
    EXPECT_EQ(keysOf(*worker(weld_).GetBundles()), (Keys{firstBundle_, secondBundle_}));
    // Every link type counts, non-activities and deleted entities are left out.
    const std::int32_t note = make_.entity("Note");
    make_.specialize(firstBundle_, note, cache_specialization);
    const std::int32_t gone = make_.entity("Gone weld", EntityType::Activity);
    make_.specialize(firstBundle_, gone, cache_specialization);
    make_.deleteEntity(gone);
    EXPECT_EQ(keysOf(*worker(firstBundle_).GetActivities()), (Keys{spot_, seam_}));
    EXPECT_EQ(keysOf(*worker(make_.entity("Empty", EntityType::Bundle)).GetActivities()), Keys{});
    EXPECT_EQ(keysOf(*worker(seam_).GetBundles()), Keys{});
}

TEST_F(HierarchyReaders, ParentCountsAreExact) {
    EXPECT_EQ(worker(seam_).CountParentBundlesForActivity(), 2);  // its bundle and Weld
    make_.specialize(secondBundle_, seam_, direct_specialization);
    EXPECT_EQ(worker(seam_).CountParentBundlesForActivity(), 3);
    EXPECT_EQ(worker(firstBundle_).CountParentActivitiesForBundle(), 1);
    sql("UPDATE Specialization SET spec_deleted = 1 WHERE spec_child_ent_id = ?", firstBundle_);
    EXPECT_EQ(worker(firstBundle_).CountParentActivitiesForBundle(), 0);
}

TEST_F(HierarchyReaders, ReadersRefuseTheWrongEntityType) {
    const std::vector<std::tuple<std::function<void()>, std::string_view>> cases{
        {[&] { worker(part_).GetBundles(); },
         "This system generated attribute does not apply to the current entity type."},
        {[&] { worker(weld_).GetActivities(); },
         "This system generated attribute does not apply to the current, non-bundle, entity "
         "type."},
        {[&] { worker(weld_).CountParentActivitiesForBundle(); },
         "This system generated attribute does not apply to the current entity type."},
        {[&] { worker(firstBundle_).CountParentBundlesForActivity(); },
         "This system generated attribute does not apply to the current entity type."},
    };
    for (const auto& [call, message] : cases) {
        const Error error = errorOf(call);
        EXPECT_EQ(error.number(), objectError(3));
        EXPECT_EQ(error.description(), message);
    }
}

TEST_F(HierarchyReaders, ADeletedOrUnboundEntityIsRefused) {
    make_.deleteEntity(weld_);
    make_.deleteEntity(firstBundle_);
    const generic weld = worker(weld_);
    const generic bundle = worker(firstBundle_);
    Keys ids{42};
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { weld.GetSpecIDs(ids); }, [&] { weld.GetGenIDs(ids); },
             [&] { weld.GetBundles(); }, [&] { weld.CountParentBundlesForActivity(); },
             [&] { bundle.GetActivities(); }, [&] { bundle.CountParentActivitiesForBundle(); }}) {
        const Error error = errorOf(call);
        EXPECT_EQ(error.number(), objectError(22));
        EXPECT_EQ(error.description(), "You cannot make any changes to a deleted entity.");
    }
    EXPECT_EQ(ids, Keys{42});
    EXPECT_EQ(errorOf([] {
                  Keys none;
                  generic().GetSpecIDs(none);
              }).number(),
              objectError(2));
}

TEST_F(HierarchyReaders, TheEntityListsItsSpecializationsAndGeneralizations) {
    EXPECT_EQ(keysOf(*entity(weld_)->GetSpecializations()), (Keys{seam_, arc_, spot_}));
    EXPECT_EQ(keysOf(*entity(weld_)->GetSpecializations(1)), (Keys{firstBundle_, secondBundle_}));
    EXPECT_EQ(keysOf(*entity(part_)->GetSpecializations(2)), Keys{});
    for (const std::int16_t type : {0, 3, -1}) {
        const Error error = errorOf([&] { entity(weld_)->GetSpecializations(type); });
        EXPECT_EQ(error.number(), objectError(3));
        EXPECT_EQ(error.description(), "Invalid Specialization_type.");
    }
    EXPECT_EQ(keysOf(*entity(arc_)->GetGeneralizations()), Keys{weld_});
    EXPECT_EQ(keysOf(*entity(part_)->GetGeneralizations()), Keys{});
}

TEST_F(HierarchyReaders, ParentBundlesOfAnActivity) {
    make_.specialize(secondBundle_, seam_, direct_specialization);
    EXPECT_EQ(keysOf(*entity(seam_)->GetParentBundles()), (Keys{firstBundle_, secondBundle_}));
    make_.deleteEntity(secondBundle_);
    EXPECT_EQ(keysOf(*entity(seam_)->GetParentBundles()), Keys{firstBundle_});

    auto bundle = entity(firstBundle_);
    reset_global_db();  // refused before any query
    const Error error = errorOf([&] { bundle->GetParentBundles(); });
    EXPECT_EQ(error.number(), objectError(666));
    EXPECT_EQ(error.description(), "This entity is not an activity");
}

}  // namespace
}  // namespace kt
