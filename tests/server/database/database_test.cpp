#include "server/database/database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/errors.h"
#include "server/database/schema_operations.h"
#include "server/database/transaction.h"
#include "tests/server/database/catalogue_fixture.h"
#include "tests/server/database/lock_message.h"
#include "tests/server/database/other_connection.h"
#include "tests/server/database/temporary_directory.h"

namespace kt {
namespace {

using test::errorOf;

std::string contentsOf(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

class DatabaseOpen : public ::testing::Test {
protected:
    test::TemporaryDirectory directory_;
};

TEST_F(DatabaseOpen, MissingFileFailsAndCreatesNothing) {
    const Error error = errorOf([&] { Database::open(directory_.file("missing.db")); });
    EXPECT_NE(error.description().find("missing.db"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_empty(directory_.path()));
    // An empty name would lead the engine to a private temporary database.
    EXPECT_EQ(errorOf([] { Database::open(""); }).description(),
              "Cannot open the catalogue \"\": no file is named.");
}

TEST_F(DatabaseOpen, RefusesWhatIsNotACatalogueAndLeavesItAlone) {
    const auto text = directory_.file("notes.txt");
    writeFile(text, "This is a plain text file, long enough to fill a database header.\n");
    const auto empty = directory_.file("empty.db");
    writeFile(empty, "");
    const auto other = directory_.file("other.db");
    {
        const auto database = Database::create(other);
        database->execute("CREATE TABLE Other (x INTEGER)");
    }
    for (const auto& path : {text, empty, other}) {
        SCOPED_TRACE(path);
        const std::string before = contentsOf(path);
        const Error error = errorOf([&] { Database::open(path); });
        EXPECT_NE(error.description().find(path.string()), std::string::npos);
        EXPECT_EQ(contentsOf(path), before);
    }
    EXPECT_NE(errorOf([&] { Database::open(text); }).description().find("not a database"),
              std::string::npos);
    EXPECT_NE(errorOf([&] { Database::open(other); }).description().find("not a catalogue"),
              std::string::npos);
}

// While it lives, SQLite opens one file the way it opens a file without write permission: its
// own file layer asks for writing, is refused, and falls back to reading. File permissions do
// not bind the superuser, so this is how a read-only file is made where tests run as root.
class WriteProtectedFile {
public:
    explicit WriteProtectedFile(const std::filesystem::path& path)
        : path_(std::filesystem::canonical(path)), base_(sqlite3_vfs_find(nullptr)) {
        layer_ = *base_;
        layer_.zName = "write_protected_file";
        layer_.pAppData = this;
        layer_.xOpen = &open;
        sqlite3_vfs_register(&layer_, 1);
    }
    ~WriteProtectedFile() { sqlite3_vfs_unregister(&layer_); }
    WriteProtectedFile(const WriteProtectedFile&) = delete;
    WriteProtectedFile& operator=(const WriteProtectedFile&) = delete;

private:
    static int open(sqlite3_vfs* layer, sqlite3_filename name, sqlite3_file* file, int flags,
                    int* openedFlags) {
        const auto* self = static_cast<const WriteProtectedFile*>(layer->pAppData);
        if (name != nullptr && std::filesystem::path(name) == self->path_ &&
            (flags & SQLITE_OPEN_READWRITE) != 0) {
            flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE)) | SQLITE_OPEN_READONLY;
        }
        return self->base_->xOpen(self->base_, name, file, flags, openedFlags);
    }

    std::filesystem::path path_;
    sqlite3_vfs* base_;
    sqlite3_vfs layer_{};
};

TEST_F(DatabaseOpen, RefusesAReadOnlyFile) {
    const auto path = directory_.file("catalogue.db");
    CreateCatalogue(path);
    const auto refusal = [&] { return errorOf([&] { Database::open(path); }).description(); };
    {
        const WriteProtectedFile protection(path);
        EXPECT_NE(refusal().find("read-only"), std::string::npos);
    }
    EXPECT_NO_THROW(Database::open(path));
    if (geteuid() != 0) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        EXPECT_NE(refusal().find("read-only"), std::string::npos);
    }
}

// The page size and page count that a database file's header gives.
std::pair<std::uint32_t, std::uint32_t> pagesOf(const std::string& header) {
    const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(header.at(at)); };
    constexpr std::size_t kPageSizeAt = 16;
    constexpr std::size_t kPageCountAt = 28;
    const std::uint32_t pageSize = byte(kPageSizeAt) << 8 | byte(kPageSizeAt + 1);
    std::uint32_t pageCount = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        pageCount = pageCount << 8 | byte(kPageCountAt + i);
    }
    return {pageSize, pageCount};
}

TEST_F(DatabaseOpen, RefusesADamagedCatalogueNamingTheFileAndTheDamage) {
    struct Case {
        std::string label;
        std::function<void(std::string&)> damage;
        std::string finding;
    };
    const Case cases[] = {
        {"cut short by 1,000 bytes", [](std::string& bytes) { bytes.resize(bytes.size() - 1000); },
         "(was it cut short?)"},
        {"a page of random bytes",
         [](std::string& bytes) {
             const auto [pageSize, pageCount] = pagesOf(bytes);
             std::mt19937 random(7);
             const std::size_t middle = std::size_t{pageCount / 2} * pageSize;
             for (std::size_t at = middle; at < middle + pageSize; ++at) {
                 bytes[at] = static_cast<char>(random());
             }
         },
         "the file is damaged: "},
    };
    for (const Case& damaged : cases) {
        SCOPED_TRACE(damaged.label);
        const auto path = directory_.file(damaged.label + ".db");
        CreateCatalogue(path);
        std::string bytes = contentsOf(path);
        damaged.damage(bytes);
        writeFile(path, bytes);

        const Error error = errorOf([&] { Database::open(path); });
        EXPECT_EQ(error.number() & 0xff, SQLITE_CORRUPT);
        EXPECT_TRUE(error.description().starts_with("Cannot open the catalogue \"" + path.string() +
                                                    "\": the file is damaged: "))
            << error.description();
        EXPECT_NE(error.description().find(damaged.finding), std::string::npos)
            << error.description();
        EXPECT_EQ(errorOf([&] { KTDB().OpenDB(path.string()); }).description(),
                  error.description());
        EXPECT_FALSE(global_db().isOpen());
        EXPECT_EQ(contentsOf(path), bytes);
    }
}

std::vector<std::string> filesIn(const std::filesystem::path& directory) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    return names;
}

std::int64_t testEntities(Database& database) {
    return std::get<std::int64_t>(
        *database.scalar("SELECT COUNT(*) FROM Entity WHERE ent_contact = 'tester'"));
}

TEST_F(DatabaseOpen, CopyingTheFileWhileItIsOpenCopiesEveryCommittedRow) {
    constexpr int kEntities = 97;
    const auto path = directory_.file("catalogue.db");
    CreateCatalogue(path);
    const auto database = Database::open(path);
    EXPECT_EQ(Field("mode", *database->scalar("PRAGMA journal_mode")).asText(), "delete");
    for (int i = 0; i < kEntities; ++i) {
        Transaction operation(*database);
        NewEntity entity;
        entity.name = "Entity " + std::to_string(i);
        entity.contact = "tester";
        insertEntity(*database, entity);
        operation.commit();
    }
    EXPECT_EQ(filesIn(directory_.path()), std::vector<std::string>{"catalogue.db"});

    const auto copy = directory_.file("copy.db");
    std::filesystem::copy_file(path, copy);
    EXPECT_EQ(testEntities(*Database::open(copy)), kEntities);
}

TEST_F(DatabaseOpen, ACatalogueLeftWithAWriteAheadLogBecomesOneFileAgain) {
    const auto path = directory_.file("catalogue.db");
    CreateCatalogue(path);
    {
        // An earlier program that kept a write-ahead log and left its last rows in it.
        sqlite3* connection = nullptr;
        ASSERT_EQ(sqlite3_open(path.c_str(), &connection), SQLITE_OK);
        sqlite3_db_config(connection, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        ASSERT_EQ(sqlite3_exec(connection,
                               "PRAGMA journal_mode = WAL; INSERT INTO Entity (ent_id, ent_name, "
                               "ent_contact) VALUES (5000, 'logged', 'tester')",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(connection);
    }
    ASSERT_TRUE(std::filesystem::exists(path.string() + "-wal"));
    {
        const auto database = Database::open(path);
        EXPECT_EQ(Field("mode", *database->scalar("PRAGMA journal_mode")).asText(), "delete");
        EXPECT_EQ(filesIn(directory_.path()), std::vector<std::string>{"catalogue.db"});
    }
    const auto copy = directory_.file("copy.db");
    std::filesystem::copy_file(path, copy);
    EXPECT_EQ(testEntities(*Database::open(copy)), 1);
}

// A statement that another program's lock stops says which file, what could not be done, how
// long the server really waited and what to do; the operation leaves nothing behind.
TEST_F(DatabaseOpen, AStatementThatAnotherProgramsLockStopsStatesTheRealWait) {
    constexpr std::chrono::milliseconds kBusyWait{150};
    const auto path = directory_.file("catalogue.db");
    CreateCatalogue(path);
    const auto database = Database::open(path, kBusyWait);
    test::OtherConnection other(path);
    const auto write = [&] {
        Transaction operation(*database);
        NewEntity entity;
        entity.name = "Blocked";
        entity.contact = "tester";
        insertEntity(*database, entity);
        operation.commit();
    };
    const auto read = [&] { database->snapshot("SELECT * FROM Entity"); };
    struct Case {
        std::string label;
        std::string hold;
        std::function<void()> call;
        std::string refused;
    };
    const Case cases[] = {
        // The write lock is refused when the transaction begins.
        {"a writer holding the write lock", "BEGIN IMMEDIATE;", write, "change"},
        // The commit waits for the reader to end.
        {"a reader keeping the commit waiting", "BEGIN; SELECT COUNT(*) FROM Entity;", write,
         "change"},
        {"a writer committing", "BEGIN EXCLUSIVE;", read, "read"},
    };
    for (const Case& lock : cases) {
        SCOPED_TRACE(lock.label);
        other.run(lock.hold);
        const auto start = std::chrono::steady_clock::now();
        const Error error = errorOf(lock.call);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        other.run("COMMIT");
        EXPECT_EQ(error.number(), SQLITE_BUSY);
        const std::string& text = error.description();
        EXPECT_TRUE(text.starts_with("Cannot " + lock.refused + " the catalogue \"" +
                                     path.string() +
                                     "\": another program is using it and kept it locked while "
                                     "the server waited "))
            << text;
        EXPECT_TRUE(text.ends_with(
            " seconds. Try again once the other program is done with it, or close that program."))
            << text;
        const auto stated = test::statedWait(text);
        ASSERT_TRUE(stated.has_value()) << text;
        EXPECT_GE(*stated, kBusyWait);
        EXPECT_LE(*stated, took);
    }
    EXPECT_EQ(testEntities(*database), 0);
    write();
    EXPECT_EQ(testEntities(*database), 1);
}

TEST_F(DatabaseOpen, CreateRefusesAnExistingFile) {
    const auto path = directory_.file("taken.db");
    writeFile(path, "keep me");
    EXPECT_THROW(Database::create(path), DatabaseError);
    EXPECT_EQ(contentsOf(path), "keep me");
}

// A small table of people on a new database.
class DatabaseWork : public ::testing::Test {
protected:
    void SetUp() override {
        database_ = Database::create(directory_.file("work.db"));
        const ColumnDefinition columns[] = {{"id", ColumnType::Long, {}, true},
                                            {"Name", ColumnType::Text},
                                            {"age", ColumnType::Long}};
        schema::createTable(*database_, "People", columns);
        database_->execute("INSERT INTO People (id, Name, age) VALUES (?, ?, ?)", 1, "Ann", 30);
        database_->execute("INSERT INTO People (id, Name, age) VALUES (?, ?, ?)", 2, "bob",
                           std::nullopt);
    }

    int count(std::string_view sql) { return Field("n", *database_->scalar(sql)).asLong(); }

    test::TemporaryDirectory directory_;
    std::unique_ptr<Database> database_;
};

TEST_F(DatabaseWork, SnapshotWalksRowsAndFindsFieldsWhateverTheirCase) {
    auto rows = database_->snapshot("SELECT * FROM People ORDER BY id");
    EXPECT_EQ(rows.recordCount(), 2u);
    EXPECT_EQ(rows["name"].asText(), "Ann");
    EXPECT_EQ(rows["NAME"].asText(), "Ann");
    EXPECT_EQ(rows["AGE"].asLong(), 30);
    rows.moveNext();
    EXPECT_EQ(rows.field(1).asText(), "bob");
    EXPECT_TRUE(rows["age"].isNull());
    rows.moveNext();
    EXPECT_TRUE(rows.eof());
    rows.moveFirst();
    EXPECT_EQ(rows["id"].asLong(), 1);
}

TEST_F(DatabaseWork, SnapshotRefusesUnknownFieldsAndReadsPastTheEnd) {
    auto rows = database_->snapshot("SELECT * FROM People WHERE id = ?", 2);
    EXPECT_EQ(errorOf([&] { rows["height"]; }).description(), "Item not found in this collection.");
    rows.moveNext();
    EXPECT_EQ(errorOf([&] { rows["name"]; }).description(), "No current record.");
    EXPECT_EQ(errorOf([&] { rows.moveNext(); }).description(), "No current record.");

    auto none = database_->snapshot("SELECT * FROM People WHERE id = ?", 99);
    EXPECT_TRUE(none.eof());
    EXPECT_EQ(none.recordCount(), 0u);
    EXPECT_EQ(errorOf([&] { none["name"]; }).description(), "No current record.");
}

TEST_F(DatabaseWork, SnapshotDoesNotSeeRowsInsertedWhileItIsWalked) {
    int walked = 0;
    for (auto rows = database_->snapshot("SELECT id FROM People"); !rows.eof(); rows.moveNext()) {
        database_->execute("INSERT INTO People (id, Name) VALUES (?, ?)", rows["id"].asLong() + 100,
                           "copy");
        ++walked;
    }
    EXPECT_EQ(walked, 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM People"), 4);
}

TEST_F(DatabaseWork, TextIsStoredAndReadBackVerbatim) {
    const std::string names[] = {"He said \"hi\"",
                                 "O'Brien",
                                 "a; DROP TABLE People; --",
                                 "-- not a comment",
                                 "\"); DELETE FROM People; --",
                                 "x' OR '1'='1"};
    int id = 10;
    for (const auto& name : names) {
        database_->execute("INSERT INTO People (id, Name) VALUES (?, ?)", ++id, name);
        auto rows = database_->snapshot("SELECT id FROM People WHERE Name = ?", name);
        ASSERT_FALSE(rows.eof()) << name;
        EXPECT_EQ(rows["id"].asLong(), id);
        EXPECT_EQ(
            Field("Name", *database_->scalar("SELECT Name FROM People WHERE id = ?", id)).asText(),
            name);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM People"), 2 + 6);
}

TEST_F(DatabaseWork, TextComparesWithoutRegardToCase) {
    EXPECT_EQ(count("SELECT COUNT(*) FROM People WHERE Name = 'BOB'"), 1);
}

TEST_F(DatabaseWork, DoubleQuotedValuesAreNotStringLiterals) {
    const Error error =
        errorOf([&] { database_->snapshot("SELECT id FROM People WHERE Name = \"Ann\""); });
    EXPECT_NE(error.description().find("no such column"), std::string::npos);
}

TEST_F(DatabaseWork, OnlyOneStatementRunsPerCall) {
    EXPECT_THROW(database_->execute("DELETE FROM People WHERE id = 1; DROP TABLE People"),
                 DatabaseError);
    EXPECT_EQ(count("SELECT COUNT(*) FROM People"), 2);
}

TEST_F(DatabaseWork, ValueCountMustMatchTheStatement) {
    EXPECT_THROW(database_->execute("DELETE FROM People WHERE id = ?"), DatabaseError);
    EXPECT_THROW(database_->execute("DELETE FROM People WHERE id = ?", 1, 2), DatabaseError);
    EXPECT_EQ(count("SELECT COUNT(*) FROM People"), 2);
}

TEST_F(DatabaseWork, EngineErrorsCarryTheEngineMessageAndCode) {
    const Error error = errorOf([&] { database_->execute("INSERT INTO People (id) VALUES (1)"); });
    EXPECT_EQ(error.number(), SQLITE_CONSTRAINT_PRIMARYKEY);
    EXPECT_NE(error.description().find("UNIQUE constraint failed: People.id"), std::string::npos);
}

TEST_F(DatabaseWork, StatementsArePreparedOncePerText) {
    Statement& first = database_->prepare("SELECT Name FROM People WHERE id = ?");
    Statement& again = database_->prepare("SELECT Name FROM People WHERE id = ?");
    EXPECT_EQ(&first, &again);
}

TEST_F(DatabaseWork, ManyDistinctQueriesKeepWorking) {
    for (int i = 0; i < 1200; ++i) {
        EXPECT_EQ(count("SELECT COUNT(*) + " + std::to_string(i) + " FROM People"), 2 + i);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM People"), 2);
}

}  // namespace
}  // namespace kt
