#include "server/entities/generic.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <limits>
#include <regex>
#include <vector>

#include "server/database/catalogue_messages.h"
#include "server/database/errors.h"
#include "server/database/time_stamp.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class Worker : public test::OpenCatalogueFixture {
protected:
    generic loaded(std::int32_t key) {
        generic worker;
        worker.Init(key);
        return worker;
    }

    std::string storedText(std::string_view column, std::int32_t key) {
        return textOf("SELECT " + std::string(column) + " FROM Entity WHERE ent_id = ?", key);
    }
};

TEST_F(Worker, InitReadsTheWholeRow) {
    const std::int32_t key = addEntity("Pump", EntityType::Port, "PIF-1");
    sql("UPDATE Entity SET ent_cache_spec_count = 4, ent_cache_decomp_count = 5, "
        "ent_cache_bundle_count = 6, ent_deleted = 1 WHERE ent_id = ?",
        key);
    const generic worker = loaded(key);
    EXPECT_TRUE(worker.isBound());
    EXPECT_EQ(worker.ID(), key);
    EXPECT_EQ(worker.Name(), "Pump");
    EXPECT_EQ(worker.Contact(), "tester");
    EXPECT_TRUE(worker.Deleted());
    EXPECT_EQ(worker.UniqueID(), "PIF-1");
    EXPECT_EQ(worker.Typ(), 3);
    EXPECT_EQ(worker.SpecCount(), 4);
    EXPECT_EQ(worker.DecompCount(), 5);
    EXPECT_EQ(worker.BundleCount(), 6);
    EXPECT_EQ(worker.ACL(), 7);
    EXPECT_EQ(worker.LastModifiedText(), storedText("ent_last_modified", key));
}

TEST_F(Worker, InitOfAMissingKeyFailsWithError2AndKeepsTheCopy) {
    generic worker = loaded(addEntity("Kept"));
    const Error error = errorOf([&] { worker.Init(99999); });
    EXPECT_EQ(error.number(), objectError(2));
    EXPECT_EQ(error.description(), "This entity is not present in the database.");
    EXPECT_EQ(worker.Name(), "Kept");
}

TEST_F(Worker, InitReplacesTheCopyOnlyWhenTheWholeRowWasRead) {
    const std::int32_t key = addEntity("Before");
    generic worker = loaded(key);
    // The name is read before the type: a copy filled field by field would hold the new name.
    sql("UPDATE Entity SET ent_name = 'After', ent_type = NULL WHERE ent_id = ?", key);
    EXPECT_EQ(errorOf([&] { worker.Init(key); }).description(), "Invalid use of Null");
    EXPECT_EQ(worker.Name(), "Before");
}

TEST_F(Worker, NullAclReadsAsZero) {
    const std::int32_t key = addEntity("Open");
    sql("UPDATE Entity SET ent_acl = NULL WHERE ent_id = ?", key);
    EXPECT_EQ(loaded(key).ACL(), 0);
}

TEST_F(Worker, NameAndContactRoundTripWithQuotes) {
    const std::int32_t key = addEntity("Plain");
    generic worker = loaded(key);
    for (const std::string text :
         {"Pump \"A\"", "O'Brien's \"\" valve", "x\"; DROP TABLE Entity"}) {
        SCOPED_TRACE(text);
        worker.setName(text);
        worker.setContact(text + " contact");
        EXPECT_EQ(worker.Name(), text);
        EXPECT_EQ(worker.Contact(), text + " contact");
        EXPECT_EQ(storedText("ent_name", key), text);
        EXPECT_EQ(storedText("ent_contact", key), text + " contact");
        const generic reread = loaded(key);
        EXPECT_EQ(reread.Name(), text);
        EXPECT_EQ(reread.Contact(), text + " contact");
    }
}

TEST_F(Worker, ChangesStampTheRowInLocalTime) {
    const std::int32_t key = addEntity("Stamped");
    sql("UPDATE Entity SET ent_last_modified = '01-01-1999 00:00:00' WHERE ent_id = ?", key);
    generic worker = loaded(key);
    const std::regex form(R"(\d{2}-\d{2}-\d{4} \d{2}:\d{2}:\d{2})");
    const auto now = [] { return lastModifiedDate(TimeStamp::now().lastModified()); };

    for (const auto& change : std::vector<std::function<void()>>{
             [&] { worker.setName("Renamed"); }, [&] { worker.setContact("Someone"); },
             [&] { worker.setACL(3); }, [&] { worker.StampLastModified(); }}) {
        sql("UPDATE Entity SET ent_last_modified = '01-01-1999 00:00:00' WHERE ent_id = ?", key);
        const auto before = now();
        change();
        const auto after = now();
        const std::string stamp = storedText("ent_last_modified", key);
        EXPECT_TRUE(std::regex_match(stamp, form)) << stamp;
        EXPECT_EQ(worker.LastModifiedText(), stamp);
        EXPECT_GE(worker.LastModified(), before);
        EXPECT_LE(worker.LastModified(), after);
    }
    EXPECT_EQ(valueOf("SELECT ent_acl FROM Entity WHERE ent_id = ?", key), Value(std::int64_t{3}));
    EXPECT_EQ(worker.ACL(), 3);
}

TEST_F(Worker, DeletingWritesTheFlagAndTheStampTogether) {
    const std::int32_t key = addEntity("Doomed");
    sql("UPDATE Entity SET ent_last_modified = '01-01-1999 00:00:00' WHERE ent_id = ?", key);
    generic worker = loaded(key);
    worker.setDeleted(true);
    EXPECT_TRUE(worker.Deleted());
    EXPECT_EQ(valueOf("SELECT ent_deleted FROM Entity WHERE ent_id = ?", key),
              Value(std::int64_t{1}));
    EXPECT_NE(storedText("ent_last_modified", key), "01-01-1999 00:00:00");
    EXPECT_EQ(worker.LastModifiedText(), storedText("ent_last_modified", key));
}

TEST_F(Worker, ADeletedEntityRefusesEveryChangeAndWritesNothing) {
    const std::int32_t key = addEntity("Gone");
    generic worker = loaded(key);
    worker.setDeleted(true);
    sql("UPDATE Entity SET ent_last_modified = '01-01-1999 00:00:00' WHERE ent_id = ?", key);
    const std::string rowBefore = textOf(
        "SELECT ent_name || ent_contact || ent_acl || ent_deleted || ent_last_modified "
        "FROM Entity WHERE ent_id = ?",
        key);

    for (const auto& change : std::vector<std::function<void()>>{
             [&] { worker.setName("Back"); }, [&] { worker.setContact("Someone"); },
             [&] { worker.setDeleted(false); }, [&] { worker.setDeleted(true); },
             [&] { worker.setACL(1); }, [&] { worker.StampLastModified(); }}) {
        const Error error = errorOf(change);
        EXPECT_EQ(error.number(), objectError(22));
        EXPECT_EQ(error.description(), "You cannot make any changes to a deleted entity.");
    }
    EXPECT_EQ(worker.Name(), "Gone");
    EXPECT_TRUE(worker.Deleted());
    EXPECT_EQ(textOf("SELECT ent_name || ent_contact || ent_acl || ent_deleted || "
                     "ent_last_modified FROM Entity WHERE ent_id = ?",
                     key),
              rowBefore);
}

TEST_F(Worker, AnUnboundWorkerReadsEmptyAndChangesNoRow) {
    generic worker;
    EXPECT_FALSE(worker.isBound());
    EXPECT_EQ(worker.Name(), "");
    EXPECT_EQ(worker.ID(), 0);
    // Key 0 is "Activity Root": an unbound worker must not rename it.
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { worker.setName("Hijacked"); }, [&] { worker.StampLastModified(); },
             [&] { worker.UpdateCachedCounts(); }, [&] { worker.UpdateDecompCount(1); }}) {
        EXPECT_EQ(errorOf(change).number(), objectError(2));
    }
    EXPECT_EQ(storedText("ent_name", 0), "Activity Root");
    EXPECT_EQ(errorOf([&] { (void)worker.LastModified(); }).description(), "Type mismatch");
}

TEST_F(Worker, AChangeToARowThatWentAwayFailsAndKeepsTheCopy) {
    const std::int32_t key = addEntity("Vanishing");
    generic worker = loaded(key);
    sql("DELETE FROM Entity WHERE ent_id = ?", key);
    EXPECT_EQ(errorOf([&] { worker.setName("New"); }).number(), objectError(2));
    EXPECT_EQ(worker.Name(), "Vanishing");
}

class CachedCounts : public Worker {
protected:
    std::int32_t stored(std::string_view column, std::int32_t key) {
        return Field(
                   "count",
                   valueOf("SELECT " + std::string(column) + " FROM Entity WHERE ent_id = ?", key))
            .asLong();
    }
    void addChildren(std::int32_t parent, int live, int deleted) {
        for (int i = 0; i < live + deleted; ++i) {
            addRelation({.start = parent,
                         .end = addEntity("child"),
                         .type = RelationType::Decomposition,
                         .deleted = i >= live});
        }
    }
};

TEST_F(CachedCounts, AThingCountsItsSpecializationLinksAndHasNoBundles) {
    const std::int32_t thing = addEntity("Thing", EntityType::Thing);
    link(thing, addEntity("s1"), direct_specialization);
    link(thing, addEntity("s2"), direct_specialization);
    link(thing, addEntity("gone"), direct_specialization, true);
    link(thing, addEntity("other kind"), cache_specialization);
    addChildren(thing, 3, 1);
    addRelation(
        {.start = thing, .end = addEntity("auto"), .type = RelationType::AutomaticDecomposition});
    sql("UPDATE Entity SET ent_cache_bundle_count = 9 WHERE ent_id = ?", thing);

    generic worker = loaded(thing);
    worker.UpdateCachedCounts();
    EXPECT_EQ(worker.SpecCount(), 2);
    EXPECT_EQ(worker.DecompCount(), 3);
    EXPECT_EQ(worker.BundleCount(), 0);
    EXPECT_EQ(stored("ent_cache_spec_count", thing), 2);
    EXPECT_EQ(stored("ent_cache_decomp_count", thing), 3);
    EXPECT_EQ(stored("ent_cache_bundle_count", thing), 0);
}

TEST_F(CachedCounts, AnActivityCountsBundlesApartFromSpecializations) {
    const std::int32_t activity = addEntity("Act", EntityType::Activity);
    link(activity, addEntity("bundle", EntityType::Bundle), direct_specialization);
    link(activity, addEntity("s1", EntityType::Activity), cache_specialization);
    link(activity, addEntity("s2", EntityType::Activity), cache_specialization);
    link(activity, addEntity("s3", EntityType::Activity), cache_specialization);
    addChildren(activity, 1, 2);

    generic worker = loaded(activity);
    worker.UpdateCachedCounts();
    EXPECT_EQ(worker.BundleCount(), 1);
    EXPECT_EQ(worker.SpecCount(), 3);
    EXPECT_EQ(worker.DecompCount(), 1);
    EXPECT_EQ(stored("ent_cache_bundle_count", activity), 1);
    EXPECT_EQ(stored("ent_cache_spec_count", activity), 3);
}

TEST_F(CachedCounts, AdjustingReloadsThenAddsOrSets) {
    const std::int32_t key = addEntity("Counted");
    generic worker = loaded(key);
    // Another worker's change is seen before the count moves.
    sql("UPDATE Entity SET ent_cache_decomp_count = 5, ent_name = 'Elsewhere' WHERE ent_id = ?",
        key);
    worker.UpdateDecompCount(2);
    EXPECT_EQ(worker.DecompCount(), 7);
    EXPECT_EQ(worker.Name(), "Elsewhere");
    EXPECT_EQ(stored("ent_cache_decomp_count", key), 7);

    worker.UpdateSpecCount(-1);
    EXPECT_EQ(worker.SpecCount(), -1);
    EXPECT_EQ(stored("ent_cache_spec_count", key), -1);

    worker.UpdateBundleCount(4, true);
    worker.UpdateBundleCount(4, true);
    EXPECT_EQ(worker.BundleCount(), 4);
    EXPECT_EQ(stored("ent_cache_bundle_count", key), 4);
}

TEST_F(CachedCounts, ADeletedEntityKeepsItsBundleCountInTheRowAndTheCopy) {
    const std::int32_t key = addEntity("Gone");
    sql("UPDATE Entity SET ent_deleted = 1, ent_cache_bundle_count = 2 WHERE ent_id = ?", key);
    generic worker = loaded(key);
    worker.UpdateBundleCount(5);
    EXPECT_EQ(worker.BundleCount(), 2);
    EXPECT_EQ(stored("ent_cache_bundle_count", key), 2);
}

TEST_F(CachedCounts, PublishedCountsRaiseOverflowPast32767) {
    const std::int32_t key = addEntity("Big");
    generic worker = loaded(key);
    worker.UpdateDecompCount(32767, true);
    EXPECT_EQ(worker.DecompCount(), 32767);
    worker.UpdateDecompCount(1);
    worker.UpdateSpecCount(40000, true);
    worker.UpdateBundleCount(40000, true);
    EXPECT_EQ(stored("ent_cache_decomp_count", key), 32768);
    EXPECT_EQ(errorOf([&] { (void)worker.DecompCount(); }).description(), "Overflow");
    EXPECT_EQ(errorOf([&] { (void)worker.SpecCount(); }).description(), "Overflow");
    EXPECT_EQ(worker.BundleCount(), 40000);

    // Past the 32-bit range nothing is written.
    worker.UpdateSpecCount(std::numeric_limits<std::int32_t>::max(), true);
    EXPECT_EQ(errorOf([&] { worker.UpdateSpecCount(1); }).description(), "Overflow");
    EXPECT_EQ(stored("ent_cache_spec_count", key), std::numeric_limits<std::int32_t>::max());
}

}  // namespace
}  // namespace kt
