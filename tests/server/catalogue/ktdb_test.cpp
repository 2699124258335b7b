#include "server/catalogue/ktdb.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <fstream>
#include <optional>
#include <utility>

#include "server/database/catalogue_messages.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/entity_lookup.h"
#include "server/database/schema_operations.h"
#include "server/database/transaction.h"
#include "server/entities/entity.h"
#include "tests/server/database/catalogue_fixture.h"
#include "tests/server/database/lock_message.h"
#include "tests/server/database/other_connection.h"

namespace kt {
namespace {

using test::errorOf;

class KtdbTest : public test::CatalogueFixture {
protected:
    // Changes a catalogue behind the server's back.
    void tamper(const std::filesystem::path& path, std::string_view sql) {
        Database::open(path)->execute(sql);
    }

    KTDB ktdb_;
};

TEST_F(KtdbTest, CreatingTheEntryObjectOpensNothing) {
    [[maybe_unused]] KTDB another;
    EXPECT_FALSE(global_db().isOpen());
    EXPECT_EQ(errorOf([] { global_db().Execute("DELETE FROM Entity"); }).description(),
              "No catalogue is open: OpenDB has to come first.");
}

TEST_F(KtdbTest, OpenDBOfAMissingFileFailsAndCreatesNothing) {
    const Error error = errorOf([&] { ktdb_.OpenDB(directory_.file("missing.db").string()); });
    EXPECT_EQ(error.number(), SQLITE_CANTOPEN);
    EXPECT_TRUE(std::filesystem::is_empty(directory_.path()));
    EXPECT_FALSE(global_db().isOpen());
}

TEST_F(KtdbTest, OpenDBOfAFileThatIsNotACatalogueFailsClearly) {
    const auto path = directory_.file("letter.txt");
    std::ofstream(path) << "Dear reader, this is not a catalogue at all.\n";
    const Error error = errorOf([&] { ktdb_.OpenDB(path.string()); });
    EXPECT_EQ(error.description(),
              "Cannot open the catalogue \"" + path.string() + "\": file is not a database");
}

TEST_F(KtdbTest, OpenDBWithoutTheRootFailsWithError1) {
    const auto good = newCatalogue("good.db");
    const auto rootless = newCatalogue("rootless.db");
    tamper(rootless, "UPDATE Entity SET ent_name = 'Old Root' WHERE ent_name = 'Tessary Root'");
    tamper(good, "UPDATE Entity SET ent_deleted = 1 WHERE ent_name = 'Tessary Root'");

    // A deleted root is found all the same.
    ktdb_.OpenDB(good.string());
    EXPECT_EQ(global_db().root_id(), 1);
    global_db().set_root_id(7);

    const Error error = errorOf([&] { ktdb_.OpenDB(rootless.string()); });
    EXPECT_EQ(error.number(), objectError(1));
    EXPECT_EQ(error.description(), "This entity is not present in the database.");
    EXPECT_EQ(global_db().root_id(), 7);
    EXPECT_FALSE(global_db().isOpen());
}

// Another program's locks while a catalogue opens: a reader never stands in the way, a writer
// only when the open has to write or cannot read.
class OpenDBBesideAnotherProgram : public KtdbTest {
protected:
    void SetUp() override {
        path_ = newCatalogue();
        other_.emplace(path_);
    }

    // Opens the catalogue with a short busy wait; the error it raises, if any, and how long
    // it took.
    std::pair<std::optional<Error>, std::chrono::steady_clock::duration> open() {
        global_db().setBusyWait(kBusyWait);
        const auto start = std::chrono::steady_clock::now();
        std::optional<Error> error;
        try {
            ktdb_.OpenDB(path_.string());
        } catch (const Error& raised) {
            error = raised;
        }
        return {error, std::chrono::steady_clock::now() - start};
    }

    static constexpr std::chrono::milliseconds kBusyWait{400};
    // Far more than an open needs, far less than a wait for a lock would add.
    static constexpr std::chrono::seconds kSlack{3};
    std::filesystem::path path_;
    std::optional<test::OtherConnection> other_;
};

TEST_F(OpenDBBesideAnotherProgram, AReaderOrAPendingWriterDoesNotStopACurrentCatalogue) {
    for (const std::string hold : {"BEGIN; SELECT COUNT(*) FROM Entity;", "BEGIN IMMEDIATE;"}) {
        SCOPED_TRACE(hold);
        global_db().setBusyWait(Database::kDefaultBusyWait);
        other_->run(hold);
        const auto start = std::chrono::steady_clock::now();
        ktdb_.OpenDB(path_.string());
        EXPECT_LT(std::chrono::steady_clock::now() - start, kSlack);
        EXPECT_TRUE(global_db().isOpen());
        ktdb_.CloseDB();
        other_->run("COMMIT");
    }
}

// Every refusal names the file, says that another program uses it, states how long the server
// really waited and what the user can do.
TEST_F(OpenDBBesideAnotherProgram, AnotherProgramsLockIsNamedWithTheRealWaitAndLeavesNothingOpen) {
    const std::string prefix =
        "Cannot open the catalogue \"" + path_.string() + "\": another program is using it and ";
    const std::string waitedOut = "kept it locked while the server waited ";
    const std::string atOnce =
        "holds a lock that cannot be waited for, so the server stopped after ";
    struct Case {
        std::string label;
        std::string setUp;
        std::string hold;
        std::string release;
        std::int32_t number;
        bool wholeWait;
    };
    const Case cases[] = {
        // Nothing can be read.
        {"a writer committing", "", "BEGIN EXCLUSIVE;", "COMMIT;", SQLITE_BUSY, true},
        // The open reads, but an upgrade step has work to write.
        {"a writer beside a due upgrade",
         "ALTER TABLE Specialization DROP COLUMN spec_display_order;", "BEGIN IMMEDIATE;",
         "COMMIT;", objectError(1), true},
        // The write-ahead log ends only while no other program has the catalogue open: the
        // engine refuses at once.
        {"a catalogue in write-ahead-log mode", "PRAGMA journal_mode = WAL;",
         "SELECT COUNT(*) FROM Entity;", "PRAGMA journal_mode = DELETE;", SQLITE_BUSY, false},
    };
    for (const Case& lock : cases) {
        SCOPED_TRACE(lock.label);
        if (!lock.setUp.empty()) {
            other_->run(lock.setUp);
        }
        // A catalogue open before is closed by the attempt.
        ktdb_.OpenDB(newCatalogue("other" + lock.label + ".db").string());
        other_->run(lock.hold);
        const auto [error, took] = open();
        other_->run(lock.release);
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->number(), lock.number);
        const std::string& text = error->description();
        EXPECT_TRUE(text.starts_with(prefix + (lock.wholeWait ? waitedOut : atOnce))) << text;
        EXPECT_TRUE(text.ends_with(lock.wholeWait ? " seconds. Try again once the other program is "
                                                    "done with it, or close that program."
                                                  : " seconds. Close the other program and try "
                                                    "again."))
            << text;
        const auto stated = test::statedWait(text);
        ASSERT_TRUE(stated.has_value()) << text;
        EXPECT_LE(*stated, took);
        if (lock.wholeWait) {
            EXPECT_GE(took, kBusyWait);
            EXPECT_GE(*stated, kBusyWait);
            EXPECT_LT(took, kBusyWait + kSlack);
        } else {
            EXPECT_LT(took, kBusyWait);
        }
        EXPECT_FALSE(global_db().isOpen());
    }
    // Once the other program is done, the catalogue opens (and is upgraded).
    EXPECT_FALSE(open().first.has_value());
    EXPECT_TRUE(schema::hasColumn(global_db().database(), "Specialization", "spec_display_order"));
}

// A published change that another program's write lock keeps waiting ends with the same
// message, not the engine's bare one, and changes nothing.
TEST_F(OpenDBBesideAnotherProgram, AChangeThatAnotherProgramBlocksStatesTheRealWait) {
    ASSERT_FALSE(open().first.has_value());
    const auto bundles = [] {
        return global_db().CreateSnapshot("SELECT * FROM Entity WHERE ent_name = 'Kit'");
    };
    other_->run("BEGIN IMMEDIATE;");
    const auto start = std::chrono::steady_clock::now();
    const Error error = errorOf([&] { ktdb_.GetNewBundle("Kit"); });
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    other_->run("COMMIT;");
    EXPECT_EQ(error.number(), SQLITE_BUSY);
    EXPECT_TRUE(error.description().starts_with(
        "Cannot change the catalogue \"" + path_.string() +
        "\": another program is using it and kept it locked while the server waited "))
        << error.description();
    const auto stated = test::statedWait(error.description());
    ASSERT_TRUE(stated.has_value());
    EXPECT_GE(*stated, kBusyWait);
    EXPECT_LE(*stated, took);
    EXPECT_TRUE(bundles().eof());
    ktdb_.GetNewBundle("Kit");
    EXPECT_FALSE(bundles().eof());
}

TEST_F(KtdbTest, OpenDBRestoresAColumnAStepAddsAndRefusesWhatNoStepAdds) {
    const auto path = newCatalogue();
    tamper(path, "ALTER TABLE Specialization DROP COLUMN spec_display_order");
    ktdb_.OpenDB(path.string());
    EXPECT_TRUE(schema::hasColumn(global_db().database(), "Specialization", "spec_display_order"));
    ktdb_.CloseDB();

    tamper(path, "DROP TABLE Entity_Types");
    const Error error = errorOf([&] { ktdb_.OpenDB(path.string()); });
    EXPECT_EQ(error.number(), objectError(1));
    EXPECT_NE(error.description().find("Entity_Types"), std::string::npos);
}

TEST_F(KtdbTest, VersionTestReceivesTheUpgradeResult) {
    const auto path = newCatalogue();
    for (const bool checkOnly : {true, false}) {
        std::optional<bool> version_test = checkOnly;
        std::string description = "untouched";
        ktdb_.OpenDB(path.string(), version_test, description);
        EXPECT_EQ(version_test, true);
        EXPECT_EQ(description, "untouched");
    }
}

TEST_F(KtdbTest, CloseDBEndsWorkUntilTheNextOpen) {
    const auto path = newCatalogue();
    ktdb_.OpenDB(path.string());
    ktdb_.CloseDB();
    EXPECT_THROW(global_db().CreateSnapshot("SELECT * FROM Entity"), DatabaseError);
    ktdb_.OpenDB(path.string());
    EXPECT_EQ(
        global_db().CreateSnapshot("SELECT * FROM Entity WHERE ent_id = ?", 1)["ent_name"].asText(),
        "Tessary Root");
}

TEST_F(KtdbTest, ResetForgetsTheSharedObject) {
    ktdb_.OpenDB(newCatalogue().string());
    reset_global_db();
    EXPECT_FALSE(global_db().isOpen());
}

TEST_F(KtdbTest, VersionAndExitProcess) {
    EXPECT_EQ(ktdb_.Version(), "0.1.0");
    ktdb_.ExitProcess();
}

class EntityLookup : public KtdbTest {
protected:
    void SetUp() override { ktdb_.OpenDB(newCatalogue().string()); }
};

TEST_F(EntityLookup, FindsFixedEntitiesByName) {
    EXPECT_EQ(GetEntityIDByName("Tessary Root"), 1);
    EXPECT_EQ(GetEntityIDByName("tessary ROOT"), 1);
    EXPECT_EQ(GetEntityIDByName("Activity Root"), 0);
    const Error missing = errorOf([] { GetEntityIDByName("Tessary%"); });
    EXPECT_EQ(missing.number(), objectError(2));
    EXPECT_EQ(missing.description(), "This entity is not present in the database.");
}

TEST_F(EntityLookup, FindsDefaultParentsByType) {
    EXPECT_EQ(GetDefaultParentID(1), 12);
    EXPECT_EQ(GetDefaultParentID(0), 13);
    EXPECT_EQ(GetDefaultParentID(4), 21);
    for (const int type : {2, 10, 11, -1}) {
        EXPECT_EQ(errorOf([&] { GetDefaultParentID(type); }).number(), objectError(2)) << type;
    }
}

TEST_F(EntityLookup, NamesWithQuotesAndSqlAreStoredAndFoundVerbatim) {
    Database& database = global_db().database();
    for (const std::string name : {"Pump \"A\"", "O'Brien's", "x; DROP TABLE Entity; --",
                                   "-- just dashes", "\" OR \"\"=\"", "semi;colon"}) {
        SCOPED_TRACE(name);
        Transaction operation(database);
        NewEntity entity;
        entity.name = name;
        entity.contact = name;
        const std::int32_t key = insertEntity(database, entity);
        operation.commit();
        EXPECT_EQ(GetEntityIDByName(name), key);
        auto row = global_db().CreateSnapshot(
            "SELECT ent_name, ent_contact FROM Entity "
            "WHERE ent_id = ?",
            key);
        EXPECT_EQ(row["ent_name"].asText(), name);
        EXPECT_EQ(row["ent_contact"].asText(), name);
    }
    EXPECT_TRUE(schema::hasTable(database, "Entity"));
}

// A new specialization refused by another program's lock names the change the user asked for,
// whether the other program holds the file for writing or in the middle of its commit.
TEST_F(OpenDBBesideAnotherProgram, ANewSpecializationThatALockStopsIsRefusedAsAChange) {
    ASSERT_FALSE(open().first.has_value());
    const auto root = ktdb_.GetRootEntity();
    for (const std::string hold : {"BEGIN EXCLUSIVE;", "BEGIN IMMEDIATE;"}) {
        SCOPED_TRACE(hold);
        other_->run(hold);
        const Error error = errorOf([&] { root->AddNewSpecialization("Blocked", "c"); });
        other_->run("COMMIT;");
        EXPECT_EQ(error.number(), SQLITE_BUSY);
        EXPECT_TRUE(error.description().starts_with("Cannot change the catalogue \"" +
                                                    path_.string() + "\": another program"))
            << error.description();
    }
    EXPECT_TRUE(
        global_db().CreateSnapshot("SELECT * FROM Entity WHERE ent_name = 'Blocked'").eof());
}

}  // namespace
}  // namespace kt
