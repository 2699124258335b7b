#include "server/catalogue/host_queries.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "tests/server/database/lock_message.h"
#include "tests/server/database/open_catalogue_fixture.h"
#include "tests/server/database/other_connection.h"
#include "tests/support/child_process.h"

namespace kt {
namespace {

using test::errorOf;

constexpr std::string_view kTestEntities = "ent_contact = 'tester'";
constexpr std::string_view kSalesOwners = "atri_name = 'Owner' AND atri_value = 'Sales'";

// Entities made by the test carry the contact "tester"; a few own an "Owner" attribute.
class HostQueries : public test::OpenCatalogueFixture {
protected:
    void SetUp() override {
        OpenCatalogueFixture::SetUp();
        tools_ = addEntity("Tools", EntityType::Bundle);
        gamma_ = addEntity("Gamma");
        beta_ = addEntity("beta");
        alpha_ = addEntity("Alpha");
        emptyDefault_ = addEntity("Default Empty", EntityType::Bundle);
        usedDefault_ = addEntity("Default Used", EntityType::Bundle);
        gone_ = addEntity("Alpha gone");
        sql("UPDATE Entity SET ent_cache_spec_count = 1 WHERE ent_id = ?", usedDefault_);
        sql("UPDATE Entity SET ent_acl = NULL WHERE ent_id = ?", beta_);
        sql("UPDATE Entity SET ent_acl = 3 WHERE ent_id = ?", alpha_);
        sql("UPDATE Entity SET ent_deleted = 1 WHERE ent_id = ?", gone_);

        addAttribute(alpha_, "Notes", "x!Ready!");
        addAttribute(beta_, "Notes", std::nullopt);
        addAttribute(gamma_, "Notes", "only!");
        addAttribute(tools_, "Notes", "a!kit!!");

        addAttribute(alpha_, "Owner", "Sales");
        addAttribute(tools_, "Owner", "Sales");
        addAttribute(beta_, "Owner", "sales");
        addAttribute(gone_, "Owner", "Sales");
        addAttribute(gamma_, "Owner", "Sales", true);
        addAttribute(alpha_, "owner", "Sales");
    }

    struct NamesResult {
        std::vector<std::string> names;
        std::vector<std::int32_t> ids;
        std::vector<std::int32_t> acls;
    };

    NamesResult names(std::string_view condition, bool searchAttributes, bool sortByName,
                      bool includeNotes) {
        NamesResult result{{"stale", "stale"}, {9, 9, 9, 9}, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9}};
        EXPECT_TRUE(ktdb_.RunNamesQuery(std::string(condition), result.names, result.ids,
                                        result.acls, searchAttributes, sortByName, includeNotes));
        return result;
    }

    std::vector<std::int32_t> keysOf(const Entities& entities) {
        std::vector<std::int32_t> keys;
        for (const auto& entity : entities) {
            keys.push_back(entity->GetGeneric()->ID());
        }
        return keys;
    }

    // An entity whose PIF ID is 3 MB of "a".
    std::int32_t addHugeValue() {
        const std::int32_t key = addEntity("Huge value");
        sql("UPDATE Entity SET ent_unique_id = ? WHERE ent_id = ?", std::string(3 << 20, 'a'), key);
        return key;
    }

    std::int64_t entityRows() {
        return std::get<std::int64_t>(valueOf("SELECT COUNT(*) FROM Entity"));
    }

    KTDB ktdb_;
    std::int32_t tools_ = 0, gamma_ = 0, beta_ = 0, alpha_ = 0;
    std::int32_t emptyDefault_ = 0, usedDefault_ = 0, gone_ = 0;
};

using Names = std::vector<std::string>;
using Keys = std::vector<std::int32_t>;

TEST_F(HostQueries, RunQueryListsLiveEntitiesInKeyOrder) {
    const auto found = ktdb_.RunQuery(std::string(kTestEntities), false, true);
    EXPECT_EQ(keysOf(*found), (Keys{tools_, gamma_, beta_, alpha_, emptyDefault_, usedDefault_}));
    EXPECT_EQ(found->GetItemByIndex(4)->Name(), "Alpha");
    EXPECT_EQ(ktdb_.RunQuery("ent_name = 'nobody'", false)->Count(), 0);
}

TEST_F(HostQueries, RunQueryOverAttributesListsAnOwnerOncePerAttribute) {
    const auto found = ktdb_.RunQuery(std::string(kSalesOwners), true);
    EXPECT_EQ(keysOf(*found), (Keys{alpha_, tools_, beta_, alpha_}));
    EXPECT_NE(found->GetItemByIndex(1), found->GetItemByIndex(4));
}

TEST_F(HostQueries, DeletedRowsNeverComeBack) {
    for (const std::string condition :
         {"ent_deleted = 1", "ent_name = 'Alpha gone' OR 1 = 1", "ent_name LIKE 'Alpha%' -- note",
          "ent_name = 'Alpha gone' /* comment */"}) {
        SCOPED_TRACE(condition);
        const auto keys = keysOf(*ktdb_.RunQuery(condition, false));
        EXPECT_EQ(std::ranges::count(keys, gone_), 0);
        Names names;
        Keys ids;
        Keys acls;
        ktdb_.RunNamesQuery(condition, names, ids, acls, false, true, false);
        EXPECT_EQ(std::ranges::count(ids, EntityID(gone_)), 0);
    }
}

// What a hostile condition must come to: a catalogue error that says why (refusal), an error of
// the engine for text that is not SQL (engineError), or else only these live rows.
struct HostileCase {
    std::string label;
    std::string condition;
    std::string refusal{};
    bool engineError = false;
    Keys rows{};
};

// Runs one case through both entity searches. The names list leaves out the empty default
// bundle, as always.
void expectOutcome(KTDB& ktdb, const HostileCase& hostile, std::int32_t emptyDefault) {
    SCOPED_TRACE(hostile.label);
    Names names{"kept"};
    Keys ids;
    Keys acls;
    const auto runNames = [&] {
        ktdb.RunNamesQuery(hostile.condition, names, ids, acls, false, false, false);
    };
    if (!hostile.refusal.empty()) {
        for (const auto& [operation, call] :
             {std::pair<std::string, std::function<void()>>{
                  "RunQuery", [&] { ktdb.RunQuery(hostile.condition, false); }},
              {"RunNamesQuery", runNames}}) {
            const Error error = errorOf(call);
            EXPECT_EQ(error.number(), objectError(666));
            EXPECT_EQ(error.source(), operation);
            EXPECT_NE(error.description().find(hostile.refusal), std::string::npos)
                << error.description();
        }
        EXPECT_EQ(names, Names{"kept"});
    } else if (hostile.engineError) {
        EXPECT_THROW(ktdb.RunQuery(hostile.condition, false), DatabaseError);
        EXPECT_THROW(runNames(), DatabaseError);
        EXPECT_EQ(names, Names{"kept"});
    } else {
        Keys expectedIds{0};
        for (const std::int32_t key : hostile.rows) {
            if (key != emptyDefault) {
                expectedIds.push_back(EntityID(key));
            }
        }
        std::vector<std::int32_t> found;
        const auto entities = ktdb.RunQuery(hostile.condition, false);
        for (const auto& entity : *entities) {
            found.push_back(entity->GetGeneric()->ID());
        }
        EXPECT_EQ(found, hostile.rows);
        runNames();
        EXPECT_EQ(ids, expectedIds);
    }
}

// The bounds every search keeps, even a hostile one: each of the two searches of a case ends
// within the time limit and a second, and the engine's memory grows by less than 100 MB.
constexpr std::chrono::milliseconds kHostileTimeLimit{200};
constexpr auto kSlack = std::chrono::seconds(1);
constexpr std::int64_t kMostMemory = 100 << 20;

template <typename Searches>
void expectBounded(const std::string& label, Searches searches) {
    SCOPED_TRACE(label);
    sqlite3_memory_highwater(1);
    const std::int64_t before = sqlite3_memory_used();
    const auto start = std::chrono::steady_clock::now();
    searches();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2 * (kHostileTimeLimit + kSlack));
    EXPECT_LT(sqlite3_memory_highwater(0) - before, kMostMemory);
}

TEST_F(HostQueries, HostileConditionsAreRefusedOrFindOnlyLiveEntities) {
    database().setHostQueryTimeLimit(kHostileTimeLimit);
    const std::string gone = std::to_string(gone_);
    const std::string sixtyKilobytes(60 * 1024, 'x');
    std::string twentyMegabyteList = "1";
    while (twentyMegabyteList.size() < (20 << 20)) {
        twentyMegabyteList += ", 1234567";
    }
    const Keys liveTestEntities{tools_, gamma_, beta_, alpha_, emptyDefault_, usedDefault_};
    const HostileCase cases[] = {
        {"escaping the parentheses", "ent_id = " + gone + ") OR (ent_id = " + gone,
         "closes a parenthesis it did not open"},
        {"escaping to the end", "1) OR 1 OR (1", "closes a parenthesis it did not open"},
        {"escaping behind a quote", "ent_name = 'it''s' ) OR (1", "closes a parenthesis"},
        {"a parenthesis left open", "ent_id IN (1, 2", "parenthesis it opens is not closed"},
        {"a quote left open", "ent_name = 'Alpha", "quote it opens is not closed"},
        {"a comment left open", "1 = 1 /* ) OR (1", "comment it opens is not closed"},
        {"a trailing comment", "ent_name LIKE 'Alpha%' -- ) OR (1", "", false, {alpha_}},
        {"parentheses inside text and names",
         "ent_name <> ')' AND \"ent_contact\" = 'tester' AND [ent_name] <> '(' AND `ent_name` "
         "<> 'it''s ('",
         "", false, liveTestEntities},
        {"a UNION from another table",
         "ent_id IN (SELECT atri_ent_ref FROM Attributes UNION SELECT atri_value FROM Attributes)",
         "it reads \"Attributes\""},
        {"a UNION of a deleted key", "ent_id IN (SELECT -1 UNION SELECT " + gone + ")"},
        {"a UNION that claims a live copy",
         "ent_id IN (SELECT ent_id FROM Entity WHERE ent_deleted = 1 UNION ALL SELECT " + gone +
             ")"},
        {"a recursive WITH",
         "ent_id IN (WITH RECURSIVE r(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM r) SELECT x "
         "FROM r)",
         "WITH clause"},
        {"a WITH that names the whole table as the searched one",
         "ent_id IN (wItH Entity AS (SELECT * FROM \"main\".Entity) SELECT ent_id FROM Entity "
         "WHERE ent_deleted)",
         "WITH clause"},
        {"the whole table by its schema", "EXISTS (SELECT 1 FROM main.Entity WHERE ent_deleted)",
         "names a table with its schema (\"main.\")"},
        {"the schema quoted and spaced",
         "EXISTS (SELECT 1 FROM [MAIN] /* x */ . \"Entity\" WHERE ent_deleted)",
         "names a table with its schema (\"MAIN.\")"},
        {"a subquery over deleted rows",
         "ent_contact = 'tester' AND NOT EXISTS (SELECT 1 FROM Entity AS e WHERE e.ent_deleted = "
         "1 OR e.ent_name = 'Alpha gone')",
         "", false, liveTestEntities},
        {"counting deleted rows",
         "ent_contact = 'tester' AND (SELECT COUNT(*) FROM Entity) = (SELECT COUNT(*) FROM "
         "Entity WHERE ent_deleted = 0)",
         "", false, liveTestEntities},
        {"printf with a huge width", "length(printf('%.*c', 2147483647, 'x')) > 0",
         "may not call printf"},
        {"format with a huge width", "length(format('%.*c', 2147483647, 'x')) > 0",
         "may not call format"},
        {"instr", "instr(ent_name, 'a') > 0", "may not call instr"},
        {"replace", "replace(ent_name, 'a', 'b') = ent_name", "may not call replace"},
        {"trim with the characters to take off", "trim(ent_name, 'a') = ent_name",
         "trim, ltrim or rtrim with the characters"},
        {"a LIKE pattern of 4,000 characters", "ent_name LIKE '" + std::string(4000, '%') + "'",
         "pattern may be at most 256 bytes"},
        {"a GLOB pattern of 4,000 characters", "ent_name GLOB '" + std::string(4000, '*') + "'",
         "pattern may be at most 256 bytes"},
        {"a value made past the longest",
         "length(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex(hex("
         "ent_name))))))))))))))))))))) > 0",
         "longer than 8 MB"},
        {"65 functions",
         "abs(1)" +
             [] {
                 std::string calls;
                 for (int i = 0; i < 64; ++i) {
                     calls += " + abs(1)";
                 }
                 return calls;
             }() +
             " > 0",
         "at most 64 functions"},
        {"an expression too deep", std::string(600, '(') + "1" + std::string(600, ')'), "", true},
        {"a list of 20 MB", "ent_id IN (" + twentyMegabyteList + ")",
         "a condition may be at most 65536 bytes long"},
        {"a cross join that runs too long",
         "(SELECT COUNT(*) FROM Entity a, Entity b, Entity c, Entity d, Entity e, Entity f, "
         "Entity g) > 0",
         "time limit of 0.2 seconds"},
        {"a write inside a subquery", "ent_id IN (DELETE FROM Entity RETURNING ent_id)", "", true},
        {"an insert inside a subquery",
         "ent_id IN (INSERT INTO Entity (ent_id) VALUES (9999) RETURNING ent_id)", "", true},
        {"a second statement", "1 = 1; DELETE FROM Entity", "ends the statement"},
        {"a statement after escaping", "1 = 1); DELETE FROM Entity; SELECT (1",
         "closes a parenthesis"},
        {"ATTACH", "1); ATTACH DATABASE 'stolen.db' AS stolen; SELECT (1", "closes a parenthesis"},
        {"ATTACH as a function", "ent_id IN (SELECT sqlite_attach('stolen.db', 'stolen', NULL))",
         "", true},
        {"load_extension", "load_extension('libc.so.6') IS NULL", "may not call load_extension"},
        {"a huge blob", "length(randomblob(1000000000)) > 0", "may not call randomblob"},
        {"reading the schema table", "ent_name IN (SELECT sql FROM sqlite_schema)",
         "it reads \"sqlite_master\""},
        {"reading the schema by its old name", "ent_name IN (SELECT name FROM sqlite_master)",
         "it reads \"sqlite_master\""},
        {"a pragma function", "ent_id IN (SELECT cid FROM pragma_table_info('Entity'))", "pragmas"},
        {"a parameter", "ent_id = ?", "no parameters"},
        {"a named parameter", "ent_id = :key", "no parameters"},
        {"nothing at all", "  -- empty\n", "it is empty"},
        {"a double-quoted text", "ent_name = \"Alpha\"", "", true},
        {"a 60 kB condition",
         "ent_name <> '" + sixtyKilobytes + "' AND (ent_contact = 'tester' OR ent_id = " + gone +
             ")",
         "", false, liveTestEntities},
    };
    const std::int64_t rows = entityRows();
    for (const HostileCase& hostile : cases) {
        expectBounded(hostile.label, [&] { expectOutcome(ktdb_, hostile, emptyDefault_); });
    }
    EXPECT_EQ(entityRows(), rows);
    EXPECT_FALSE(std::filesystem::exists(directory_.file("stolen.db")));
    EXPECT_FALSE(std::filesystem::exists("stolen.db"));
}

// Calls that would run for long on a large value, while another program writes the
// catalogue: each ends with a clear error within its bounds, and the other program's write
// goes through.
TEST_F(HostQueries, LongCallsEndWithinTheirBoundsWhileAnotherProgramWrites) {
    database().setHostQueryTimeLimit(kHostileTimeLimit);
    const std::int32_t hugeValue = addHugeValue();
    // Each call compares every character of the value with most of the pattern.
    const std::string slowPattern = "'%" + std::string(250, 'a') + "b%'";
    std::string slowCalls = "ent_id = " + std::to_string(hugeValue) + " AND (0";
    for (int i = 0; i < 16; ++i) {
        slowCalls += " OR ent_unique_id LIKE " + slowPattern;
    }
    slowCalls += ")";
    std::string twentyMegabyteList = "1";
    while (twentyMegabyteList.size() < (20 << 20)) {
        twentyMegabyteList += ", 1234567";
    }
    const std::string longPattern = "'%" + std::string(3998, 'a') + "b%'";
    const HostileCase cases[] = {
        {"16 slow LIKE calls on one value", slowCalls, "time limit of 0.2 seconds"},
        {"a cross join",
         "(SELECT COUNT(*) FROM Entity a, Entity b, Entity c, Entity d, Entity e, Entity f) > 0",
         "time limit of 0.2 seconds"},
        {"printf with a huge width", "length(printf('%.*c', 2147483647, 'x')) > 0",
         "may not call printf"},
        {"a LIKE pattern of 4,000 characters over a 3 MB value",
         "ent_unique_id LIKE " + longPattern, "pattern may be at most 256 bytes"},
        {"a GLOB pattern of 4,000 characters over a 3 MB value",
         "ent_unique_id GLOB " + longPattern, "pattern may be at most 256 bytes"},
        {"instr over a 3 MB value", "instr(ent_unique_id, 'b') > 0", "may not call instr"},
        {"a list of 20 MB", "ent_id IN (" + twentyMegabyteList + ")",
         "a condition may be at most 65536 bytes long"},
    };
    vrn::testing::ChildProcess writer(
        {KT_CATALOGUE_WRITER, database().path().string(), "Written meanwhile"});
    for (const HostileCase& hostile : cases) {
        expectBounded(hostile.label, [&] { expectOutcome(ktdb_, hostile, emptyDefault_); });
    }
    EXPECT_EQ(writer.wait().exitStatus, 0);
    EXPECT_EQ(textOf("SELECT COUNT(*) FROM Entity WHERE ent_name = 'Written meanwhile'"), "1");
}

// Touching that much memory takes its time: only the memory is bounded here. What a search
// sorts, groups or keeps apart counts in its memory too: none of it goes to a temporary file.
TEST_F(HostQueries, ASearchThatNeedsMoreMemoryThanItMayUseIsRefused) {
    const std::string hugeValue = std::to_string(addHugeValue());
    std::string manyCopies = "ent_id = " + hugeValue + " AND max(ent_unique_id";
    for (int i = 0; i < 30; ++i) {
        manyCopies += ", ent_unique_id";
    }
    manyCopies += ") = 'x'";
    // A thousand different rows of 100 kB each.
    const std::string rows = wideRows(100'000);
    const std::string tooMuch =
        "The search needs more than the 64 MB of memory that the server allows one search, its "
        "temporary storage for sorting, grouping and subqueries included. Narrow the condition";
    // Values in hand count only in the engine's count, which is the whole program's.
    const std::string countedPast =
        "The search was stopped when the database engine's memory had grown by more than the 64 "
        "MB that the server allows one search. That count includes the program's other use of "
        "the database engine at that moment";
    const HostileCase cases[] = {
        {"many copies of a 3 MB value at once", manyCopies, countedPast},
        {"100 MB kept apart by DISTINCT",
         "(SELECT COUNT(*) FROM (SELECT DISTINCT v FROM (" + rows + "))) = 0", tooMuch},
        {"100 MB grouped", "ent_id IN (SELECT v FROM (" + rows + ") GROUP BY v)", tooMuch},
        {"100 MB sorted", "ent_name = (SELECT v FROM (" + rows + ") ORDER BY v LIMIT 1 OFFSET 999)",
         tooMuch},
    };
    for (const HostileCase& hostile : cases) {
        sqlite3_memory_highwater(1);
        const std::int64_t before = sqlite3_memory_used();
        expectOutcome(ktdb_, hostile, emptyDefault_);
        EXPECT_LT(sqlite3_memory_highwater(0) - before, kMostMemory) << hostile.label;
    }
}

TEST_F(HostQueries, AWriterThatKeepsTheCatalogueLockedIsNamedWithinTheTimeLimit) {
    database().setHostQueryTimeLimit(kHostileTimeLimit);
    test::OtherConnection writer(database().path());
    writer.run("BEGIN EXCLUSIVE");
    const auto start = std::chrono::steady_clock::now();
    const Error error = errorOf([&] { ktdb_.RunQuery(std::string(kTestEntities), false); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, kHostileTimeLimit + kSlack);
    writer.run("COMMIT");
    EXPECT_EQ(error.number(), SQLITE_BUSY);
    EXPECT_TRUE(error.description().starts_with(
        "Cannot search the catalogue \"" + database().path().string() +
        "\": another program is using it and kept it locked while the server waited 0.2"))
        << error.description();
    EXPECT_GE(test::statedWait(error.description()).value(), kHostileTimeLimit);
    EXPECT_EQ(ktdb_.RunQuery(std::string(kTestEntities), false)->Count(), 6);
}

TEST_F(HostQueries, AttributeSearchesReadOnlyAttributesAndOnlyLiveOnes) {
    const std::string goneOwner = std::to_string(gone_);
    const auto deletedAttribute = std::to_string(
        std::get<std::int64_t>(valueOf("SELECT atri_id FROM Attributes WHERE atri_deleted = 1")));
    struct Case {
        std::string condition;
        std::string refusal{};
        Keys owners{};
    };
    const Case cases[] = {
        {"atri_ent_ref IN (SELECT ent_id FROM Entity)", "it reads \"Entity\""},
        {"atri_deleted = 1"},
        {"atri_id IN (SELECT " + deletedAttribute + ")"},
        // The owner is deleted: its attribute is found, the entity is not listed.
        {"atri_ent_ref = " + goneOwner},
        {"atri_id = 1) OR (1", "closes a parenthesis"},
        {std::string(kSalesOwners), "", {alpha_, tools_, beta_, alpha_}},
    };
    for (const Case& search : cases) {
        SCOPED_TRACE(search.condition);
        if (!search.refusal.empty()) {
            const Error error = errorOf([&] { ktdb_.RunQuery(search.condition, true); });
            EXPECT_EQ(error.number(), objectError(666));
            EXPECT_NE(error.description().find(search.refusal), std::string::npos);
            continue;
        }
        EXPECT_EQ(keysOf(*ktdb_.RunQuery(search.condition, true)), search.owners);
        Keys ids;
        for (const std::int32_t owner : search.owners) {
            ids.push_back(EntityID(owner));
        }
        const auto listed = names(search.condition, true, false, false).ids;
        EXPECT_EQ(Keys(listed.begin() + 1, listed.end()), ids);
    }
}

TEST_F(HostQueries, DistinctLargeConditionsLeaveNoMemoryBehind) {
    // Kept statements would hold at least 12 MB.
    constexpr int kConditions = 200;
    constexpr std::int64_t kAllowedGrowth = 6 << 20;
    // The text's size is what a kept statement would hold on to; a comment makes it cheap to run.
    const std::string sixtyKilobytes = "/*" + std::string(60 * 1024, 'x') + "*/";
    ktdb_.RunQuery("ent_id > 0", false);  // the library's own statements are cached once
    const std::int64_t before = sqlite3_memory_used();
    for (int i = 0; i < kConditions; ++i) {
        ktdb_.RunQuery("ent_id = " + std::to_string(i) + sixtyKilobytes, false);
    }
    EXPECT_LT(sqlite3_memory_used() - before, kAllowedGrowth);
}

TEST_F(HostQueries, NamesFromEntityRowsAreSortedByTheDatabase) {
    const auto result = names(kTestEntities, false, true, true);
    EXPECT_EQ(result.names,
              (Names{"", "Alpha {Ready}", "beta", "[Default Used]", "Gamma", "[Tools {kit}]"}));
    EXPECT_EQ(result.ids, (Keys{0, EntityID(alpha_), EntityID(beta_), EntityID(usedDefault_),
                                EntityID(gamma_), EntityID(tools_)}));
    EXPECT_EQ(result.acls, (Keys{0, 3, 0, 7, 7, 7}));
}

TEST_F(HostQueries, NamesWithoutNotesOrSorting) {
    const auto result = names(kTestEntities, false, false, false);
    EXPECT_EQ(result.names, (Names{"", "[Tools]", "Gamma", "beta", "Alpha", "[Default Used]"}));
    EXPECT_EQ(result.acls.size(), result.names.size());
}

TEST_F(HostQueries, NamesFromAttributesSortByCharacterCodes) {
    EXPECT_EQ(names(kSalesOwners, true, false, true).names,
              (Names{"", "Alpha {Ready}", "[Tools {kit}]", "beta", "Alpha {Ready}"}));
    // Capitals come before "[" and "[" before small letters; equal names keep their order.
    const auto sorted = names(kSalesOwners, true, true, true);
    EXPECT_EQ(sorted.names, (Names{"", "Alpha {Ready}", "Alpha {Ready}", "[Tools {kit}]", "beta"}));
    EXPECT_EQ(sorted.ids,
              (Keys{0, EntityID(alpha_), EntityID(alpha_), EntityID(tools_), EntityID(beta_)}));
    EXPECT_EQ(sorted.acls, (Keys{0, 3, 3, 7, 0}));
}

TEST_F(HostQueries, NothingFoundLeavesOnlyTheEmptyElement) {
    const auto result = names("ent_name = 'nobody'", false, true, true);
    EXPECT_EQ(result.names, Names{""});
    EXPECT_EQ(result.ids, Keys{0});
    EXPECT_EQ(result.acls, Keys{0});
}

}  // namespace
}  // namespace kt
