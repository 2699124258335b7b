#include "server/database/maintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_messages.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

class Maintenance : public test::OpenCatalogueFixture {
protected:
    struct Counts {
        std::int32_t ok;
        std::int32_t corrected;
    };

    // The host's counters go in with values of their own; CleanDB hands back fresh ones.
    Counts clean(std::int16_t operation) {
        std::int32_t ok = 41;
        std::int32_t corrected = 42;
        KTDB().CleanDB(operation, ok, corrected);
        return {ok, corrected};
    }

    std::string everything() {
        std::string all;
        for (const char* table : {"Entity", "Relation", "Specialization", "Attributes"}) {
            auto rows = database().snapshot(std::string("SELECT * FROM ") + table);
            for (; !rows.eof(); rows.moveNext()) {
                for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
                    all += rows.field(i).isNull() ? "NULL|" : rows.field(i).asText() + "|";
                }
                all += "\n";
            }
        }
        return all;
    }

    std::int32_t count(std::string_view sql) { return Field("n", valueOf(sql)).asLong(); }
};

TEST_F(Maintenance, NothingToDoAndInvalidCodesChangeNothing) {
    const std::string before = everything();
    const Counts none = clean(0);
    EXPECT_EQ(none.ok, 0);
    EXPECT_EQ(none.corrected, 0);
    for (const std::int16_t code : {std::int16_t{5}, std::int16_t{-1}}) {
        std::int32_t ok = 7;
        std::int32_t corrected = 8;
        const Error error = errorOf([&] { KTDB().CleanDB(code, ok, corrected); });
        EXPECT_EQ(error.number(), objectError(1));
        EXPECT_EQ(error.description(), msg::InvalidCleanupOperation.text);
        EXPECT_EQ(ok, 7);
        EXPECT_EQ(corrected, 8);
    }
    EXPECT_EQ(everything(), before);
}

TEST_F(Maintenance, BundlesGoUnderTheDefaultParentOnceTheLayoutMarkIsGone) {
    const std::int32_t bundle = addEntity("Loose bundle", EntityType::Bundle);
    const std::string linked =
        "SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = 14 AND "
        "spec_child_ent_id = " +
        std::to_string(bundle);
    // While the mark is there the run does nothing.
    clean(1);
    EXPECT_EQ(count(linked), 0);

    sql("UPDATE Attributes SET atri_deleted = 1 WHERE atri_name = 'kt_TradeoffLayout'");
    const Counts counts = clean(1);
    EXPECT_EQ(counts.ok, 0);
    EXPECT_EQ(counts.corrected, 0);
    EXPECT_EQ(count(linked), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = 14 AND "
                    "spec_child_ent_id = 11"),
              1);
    EXPECT_EQ(count("SELECT ent_cache_spec_count FROM Entity WHERE ent_id = 14"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Attributes WHERE atri_name = 'kt_TradeoffLayout' AND "
                    "atri_deleted = 0"),
              1);

    // Without "Bundle Root" the run fails with error 2.
    sql("UPDATE Entity SET ent_name = 'Renamed' WHERE ent_name = 'Bundle Root'");
    std::int32_t ok = 0;
    std::int32_t corrected = 0;
    const Error missing = errorOf([&] { KTDB().CleanDB(1, ok, corrected); });
    EXPECT_EQ(missing.number(), objectError(2));
    EXPECT_EQ(missing.description(), msg::EntityNotPresent.text);
}

TEST_F(Maintenance, CachedCountsOfLiveEntitiesAreRecounted) {
    const std::int32_t gone = addEntity("Gone");
    sql("UPDATE Entity SET ent_cache_spec_count = 99, ent_cache_bundle_count = 98, "
        "ent_cache_decomp_count = 97");
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", gone);
    const Counts counts = clean(2);
    EXPECT_EQ(counts.ok, 0);
    EXPECT_EQ(counts.corrected, 0);
    EXPECT_EQ(textOf("SELECT ent_cache_spec_count || '/' || ent_cache_bundle_count || '/' || "
                     "ent_cache_decomp_count FROM Entity WHERE ent_id = 0"),
              "1/1/0");
    EXPECT_EQ(textOf("SELECT ent_cache_spec_count FROM Entity WHERE ent_id = 1"), "11");
    EXPECT_EQ(textOf("SELECT ent_cache_spec_count FROM Entity WHERE ent_id = ?", gone), "99");
}

TEST_F(Maintenance, RelationsToMissingOrDeletedEntitiesAreMarkedDeleted) {
    const std::int32_t a = addEntity("A");
    const std::int32_t b = addEntity("B");
    const std::int32_t gone = addEntity("Gone");
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", gone);
    const std::int32_t sound = addRelation({.start = a, .end = b});
    const std::int32_t deadStart = addRelation({.start = gone, .end = 9999});
    const std::int32_t deadEnd = addRelation({.start = a, .end = gone});
    const std::int32_t missingEnd = addRelation({.start = b, .end = 9999});
    addRelation({.start = gone, .end = a, .deleted = true});
    const std::int32_t live = count("SELECT COUNT(*) FROM Relation WHERE rel_deleted = 0");

    const Counts counts = clean(3);
    // The fixed markers end at "Activity Root" and stay.
    EXPECT_EQ(counts.corrected, 3);
    EXPECT_EQ(counts.ok, live - 3);
    for (const auto& [key, deleted] : {std::pair{sound, 0}, std::pair{deadStart, 1},
                                       std::pair{deadEnd, 1}, std::pair{missingEnd, 1}}) {
        EXPECT_EQ(count("SELECT rel_deleted FROM Relation WHERE rel_id = " + std::to_string(key)),
                  deleted)
            << key;
    }
}

TEST_F(Maintenance, AttributesReachEverySpecializationBelowTheActivityRoot) {
    // An attribute added to "Activity Root" behind the model's back, and one the system keeps.
    const std::int32_t colour = addAttribute(0, "Colour", std::string("green"));
    addAttribute(0, "kt_Private", std::string("x"));
    const Counts counts = clean(4);
    // "Activity Root" and "Default Parent Activity".
    EXPECT_EQ(counts.ok, 2);
    EXPECT_EQ(counts.corrected, 0);
    EXPECT_EQ(textOf("SELECT atri_value || '|' || atri_inherit || '|' || atri_inherit_from_atri_id "
                     "FROM Attributes WHERE atri_ent_ref = 12 AND atri_name = 'Colour'"),
              "green|1|" + std::to_string(colour));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Attributes WHERE atri_name = 'kt_Private'"), 1);
    // A second run finds nothing missing.
    const std::string before = everything();
    clean(4);
    EXPECT_EQ(everything(), before);
}

// Levels of activities below "Activity Root", each a specialization of every activity of the
// level above, top first.
class MaintenanceLadder : public Maintenance {
protected:
    std::vector<std::vector<std::int32_t>> ladder(int levels, int width) {
        Transaction building(database());
        std::vector<std::vector<std::int32_t>> rows;
        std::vector<std::int32_t> above{0};
        for (int level = 0; level < levels; ++level) {
            std::vector<std::int32_t> current;
            for (int i = 0; i < width; ++i) {
                const std::int32_t key = addEntity("Step", EntityType::Activity);
                for (const std::int32_t parent : above) {
                    link(parent, key, cache_specialization);
                }
                current.push_back(key);
            }
            rows.push_back(current);
            above = current;
        }
        building.commit();
        return rows;
    }
};

TEST_F(MaintenanceLadder, EveryPathCountsWhileEachEntityIsRepairedOnce) {
    // Paths to the levels: 1, 2, 4, 8 for each of the two activities of a level.
    const auto levels = ladder(4, 2);
    addAttribute(0, "Colour", std::string("green"));
    const Counts counts = clean(4);
    // "Activity Root", "Default Parent Activity" and 2 * (1 + 2 + 4 + 8).
    EXPECT_EQ(counts.ok, 2 + 30);
    EXPECT_EQ(counts.corrected, 0);
    // One copy each, however many paths lead to it.
    for (const std::int32_t bottom : levels.back()) {
        EXPECT_EQ(count("SELECT COUNT(*) FROM Attributes WHERE atri_name = 'Colour' AND "
                        "atri_ent_ref = " +
                        std::to_string(bottom)),
                  1);
    }
}

TEST_F(MaintenanceLadder, ACountBeyondTheLongRangeOverflowsAndKeepsNothing) {
    // 2 * (2^31 - 1) paths in all.
    ladder(31, 2);
    addAttribute(0, "Colour", std::string("green"));
    const std::string before = everything();
    std::int32_t ok = 7;
    std::int32_t corrected = 8;
    EXPECT_EQ(errorOf([&] { KTDB().CleanDB(4, ok, corrected); }).number(),
              overflowError().number());
    EXPECT_EQ(ok, 7);
    EXPECT_EQ(everything(), before);
}

TEST_F(MaintenanceLadder, ACycleIsCutWhereItReturnsToThePath) {
    const auto levels = ladder(2, 1);
    // The bottom is also a generalization of the top.
    link(levels[1][0], levels[0][0], cache_specialization);
    addAttribute(0, "Colour", std::string("green"));
    EXPECT_EQ(clean(4).ok, 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Attributes WHERE atri_name = 'Colour'"), 4);
}

TEST_F(Maintenance, AFailedRunKeepsNothingAndLeavesTheCountersAlone) {
    addAttribute(0, "Colour", std::string("green"));
    sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = 12");
    const std::string before = everything();
    std::int32_t ok = 7;
    std::int32_t corrected = 8;
    const Error error = errorOf([&] { KTDB().CleanDB(4, ok, corrected); });
    EXPECT_EQ(error.number(), objectError(22));
    EXPECT_EQ(ok, 7);
    EXPECT_EQ(corrected, 8);
    EXPECT_EQ(everything(), before);
}

}  // namespace
}  // namespace kt
