#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <system_error>
#include <vector>

#include "server/catalogue/catalogue_queries.h"
#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/catalogue_refusals.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/field.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/upgrade_driver.h"
#include "server/database/upgrade_log.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/server/database/catalogue_fixture.h"
#include "tests/server/database/legacy_catalogues.h"
#include "tests/support/child_process.h"

// Writes that another file renamed over the catalogue, a move, a deletion or a crash interrupts.

namespace kt {
namespace {

using test::errorOf;
namespace fs = std::filesystem;

fs::path journalOf(const fs::path& catalogue) {
    return catalogue.string() + "-journal";
}

// The engine's integrity check of a catalogue file, then every row of every table, table by
// table; time stamps are masked so that catalogues written at different moments compare.
std::string contentOf(const fs::path& path) {
    static const std::regex stamp(R"(\d\d-\d\d-\d{4} \d\d:\d\d:\d\d)");
    static const std::regex pifPrefix(R"(\d{12}(UF|RL|SL))");
    const auto database = Database::open(path);
    std::string content = Field("check", *database->scalar("PRAGMA integrity_check")).asText();
    Recordset tables =
        database->snapshot("SELECT name FROM sqlite_schema WHERE type = 'table' ORDER BY name");
    for (; !tables.eof(); tables.moveNext()) {
        const std::string table = tables["name"].asText();
        content += "\n" + table + ":";
        for (Recordset rows = database->snapshot("SELECT * FROM \"" + table + "\""); !rows.eof();
             rows.moveNext()) {
            content += "\n";
            for (std::size_t i = 0; i < rows.fieldCount(); ++i) {
                const Field field = rows.field(i);
                content += (i ? "|" : "") + (field.isNull() ? "NULL" : field.asText());
            }
        }
    }
    return std::regex_replace(std::regex_replace(content, stamp, "<stamp>"), pifPrefix, "<pif>$1");
}

std::int32_t addEntity(const std::string& name) {
    Database& database = global_db().database();
    Transaction operation(database);
    NewEntity entity;
    entity.name = name;
    entity.contact = "tester";
    const std::int32_t key = insertEntity(database, entity);
    operation.commit();
    return key;
}

// The catalogue, and another catalogue of other content that a sync tool or a second program
// puts in its place.
class InterruptedWrite : public test::CatalogueFixture {
protected:
    void SetUp() override { makeFiles(); }

    // Both catalogues anew, and nothing else.
    void makeFiles() {
        for (const fs::path& file : {catalogue_, other_, movedAside_}) {
            fs::remove(file);
            fs::remove(journalOf(file));
        }
        CreateCatalogue(catalogue_);
        CreateCatalogue(other_);
        global_db().OpenDB(other_.string());
        addEntity("Replacement");
        global_db().CloseDB();
        otherContent_ = contentOf(other_);
    }

    // Moves the catalogue aside and renames the other file over its path.
    void replace() const {
        fs::rename(catalogue_, movedAside_);
        fs::rename(other_, catalogue_);
    }

    // No journal is left beside either file, the file moved aside (when there is one) holds
    // `before`, and the file at the path, when it was replaced, what the other file held.
    void expectBothWhole(const std::string& before, bool replaced,
                         const std::function<std::string(const fs::path&)>& content = contentOf) {
        EXPECT_FALSE(fs::exists(journalOf(catalogue_)));
        EXPECT_FALSE(fs::exists(journalOf(movedAside_)));
        if (fs::exists(movedAside_)) {
            EXPECT_EQ(content(movedAside_), before);
        }
        if (replaced) {
            EXPECT_EQ(contentOf(catalogue_), otherContent_);
        }
    }

    fs::path catalogue_ = directory_.file("catalogue.db");
    fs::path other_ = directory_.file("other.db");
    fs::path movedAside_ = directory_.file("moved aside.db");
    std::string otherContent_;
};

TEST_F(InterruptedWrite, AWriteAfterTheFileMovedIsRefusedNamingTheFileAndChangesNothing) {
    struct Move {
        std::string label;
        std::function<void()> move;
        bool replaced = false;
    };
    const Move moves[] = {
        {"renamed away", [&] { fs::rename(catalogue_, movedAside_); }},
        {"deleted", [&] { fs::remove(catalogue_); }},
        {"replaced", [&] { replace(); }, true},
    };
    struct Write {
        std::string label;
        std::function<void(Database&, const std::function<void()>& move)> run;
    };
    const Write writes[] = {
        {"a published change",
         [](Database&, const std::function<void()>& move) {
             move();
             KTDB().GetNewBundle("Kit");
         }},
        // The engine's own refusal, reworded.
        {"a statement outside any transaction",
         [](Database& database, const std::function<void()>& move) {
             move();
             database.execute("UPDATE Entity SET ent_contact = 'changed' WHERE ent_id = 0");
         }},
        {"a move between the last statement and the commit",
         [](Database& database, const std::function<void()>& move) {
             Transaction operation(database);
             addEntity("Kit");
             move();
             operation.commit();
         }},
    };
    for (const Move& move : moves) {
        for (const Write& write : writes) {
            SCOPED_TRACE(move.label + ", " + write.label);
            makeFiles();
            const std::string before = contentOf(catalogue_);
            global_db().OpenDB(catalogue_.string());
            const Error error = errorOf([&] { write.run(global_db().database(), move.move); });
            EXPECT_EQ(error.number(), SQLITE_READONLY_DBMOVED);
            EXPECT_EQ(error.description(),
                      "Cannot change the catalogue \"" + catalogue_.string() +
                          "\": the file at that path was replaced, moved or deleted while it was "
                          "being changed, so the change was not made. Open the catalogue again.");
            // The next operation is refused the same way.
            EXPECT_EQ(errorOf([] { KTDB().GetNewBundle("Kit"); }).description(),
                      error.description());
            global_db().CloseDB();
            expectBothWhole(before, move.replaced);
        }
    }
}

// A long write in another program, during which the other file is renamed over the catalogue,
// and which is then killed.
struct LongWrite {
    std::string label;
    // Makes the catalogue.
    std::function<void(const fs::path& catalogue)> make;
    // The write; `hook` goes to its database, `replace` renames the other file over it.
    std::function<void(const fs::path& catalogue, const Database::BeforeFileCheck& hook,
                       const std::function<void()>& replace)>
        write;
    // At which of the write's checks of the file the other file is renamed over it, once the
    // write's journal is there; never, when the write renames it itself.
    std::function<bool(Database::FileCheck)> replaceAt;
    // What a file holds after such a write is undone, as the test compares it.
    std::function<std::string(const fs::path&)> settled = contentOf;
    // The write is part of an open, whose refusal says so.
    bool opening = false;
};

constexpr int kThings = 10000;
// Few pages in memory, as for a large catalogue: a write puts changed pages into the file
// before its commit, after saving the old ones in its journal.
constexpr std::string_view kSmallCache = "PRAGMA cache_size = 10";
constexpr int kSpecializations = 200;
constexpr int kReplacedAfter = 50;

void makeOldCatalogue(const fs::path& catalogue) {
    test::writeOldestCatalogueWithContent(catalogue);
}

// An old catalogue is compared as the library makes it current.
std::string upgraded(const fs::path& catalogue) {
    KTDB().OpenDB(catalogue.string());
    KTDB().CloseDB();
    return contentOf(catalogue);
}

void upgrade(const fs::path& catalogue, const Database::BeforeFileCheck& hook,
             const std::function<void()>&) {
    const auto database = Database::open(catalogue);
    database->execute(kSmallCache);
    database->setBeforeFileCheck(hook);
    bool checkOnly = false;
    std::string description;
    UpgradeCatalogue(*database, UpgradeLog::silent(), checkOnly, description);
}

// The thing "Pump" with kThings specializations.
void makeManyThings(const fs::path& catalogue) {
    CreateCatalogue(catalogue);
    global_db().OpenDB(catalogue.string());
    Database& database = global_db().database();
    Transaction writing(database);
    const std::int32_t pump = addEntity("Pump");
    for (int i = 0; i < kThings; ++i) {
        database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, 0)", NewSpecID(), pump,
                         addEntity("Pump " + std::to_string(i)), direct_specialization);
    }
    writing.commit();
    global_db().CloseDB();
}

std::int32_t keyOf(const std::string& name) {
    return Field("key", *global_db().database().scalar(
                            "SELECT ent_id FROM Entity WHERE ent_name = ?", name))
        .asLong();
}

// A new attribute that every specialization receives: one statement writes all the copies.
void propagate(const fs::path& catalogue, const Database::BeforeFileCheck& hook,
               const std::function<void()>&) {
    global_db().OpenDB(catalogue.string());
    global_db().database().execute(kSmallCache);
    global_db().database().setBeforeFileCheck(hook);
    generic pump;
    pump.Init(keyOf("Pump"));
    pump.AddNewAttribute("Colour", 2, Value(std::string("red")));
}

void makePart(const fs::path& catalogue) {
    CreateCatalogue(catalogue);
    global_db().OpenDB(catalogue.string());
    addEntity("Part");
    global_db().CloseDB();
}

// New specializations in one outer transaction, the other file renamed over the catalogue
// part way.
void specializeMany(const fs::path& catalogue, const Database::BeforeFileCheck& hook,
                    const std::function<void()>& replace) {
    global_db().OpenDB(catalogue.string());
    Database& database = global_db().database();
    database.execute(kSmallCache);
    database.setBeforeFileCheck(hook);
    const auto part = GetEntity(EntityID(keyOf("Part")));
    Transaction outer(database);
    for (int i = 0; i < kSpecializations; ++i) {
        if (i == kReplacedAfter) {
            replace();
        }
        part->AddNewSpecialization("Variant " + std::to_string(i), "tester");
    }
    outer.commit();
}

// Another program writing a catalogue, which the test kills as a crash or a power cut would
// stop it. Its work runs in a process of its own, forked when the object is made: the test must
// hold no catalogue open then, since an open connection does not survive a fork. The work starts
// when the test says go; the child hands the test one line, what its work returned or the
// description of what it raised, or what it said where it stopped, and then waits to be killed.
class KilledWriter {
public:
    // Hands `line` to the test and waits there, mid-work, to be killed.
    using StopHere = std::function<void(const std::string& line)>;
    using Work = std::function<std::string(const StopHere& stopHere)>;

    explicit KilledWriter(const Work& work)
        : child_([&work] { return runChild(work); }, {.captureOutput = true, .feedInput = true}) {}

    // Starts the work.
    void go() { child_.write("g"); }
    // The child's line; empty when it ended without one.
    std::string line() { return child_.readLine().value_or(""); }
    void kill() { child_.kill(); }

private:
    static int runChild(const Work& work) {
        char start = 0;
        if (::read(STDIN_FILENO, &start, 1) != 1) {
            return 1;
        }
        const StopHere stopHere = [](const std::string& line) {
            const std::string text = line + "\n";
            [[maybe_unused]] const auto written = ::write(STDOUT_FILENO, text.data(), text.size());
            for (;;) {
                ::pause();
            }
        };
        std::string result;
        try {
            result = work(stopHere);
        } catch (const Error& error) {
            result = error.description();
        } catch (const std::exception& error) {
            result = error.what();
        }
        stopHere(result);
        return 0;
    }

    vrn::testing::ChildProcess child_;
};

// A program killed after another file was renamed over the catalogue it was writing leaves both
// files whole: the write noticed the move, rolled back what it had written into the file it
// opened, and took its journal away from the path.
TEST_F(InterruptedWrite, AFileRenamedOverALongWriteLeavesBothFilesWholeWhenTheWriterIsKilled) {
    using FileCheck = Database::FileCheck;
    const LongWrite writes[] = {
        {"an upgrade", makeOldCatalogue, upgrade, [](FileCheck) { return true; }, upgraded, true},
        {"a propagation", makeManyThings, propagate,
         [](FileCheck check) { return check == FileCheck::DuringStatement; }},
        {"an outer transaction", makePart, specializeMany, [](FileCheck) { return false; }},
    };
    for (const LongWrite& write : writes) {
        SCOPED_TRACE(write.label);
        makeFiles();
        fs::remove(catalogue_);
        write.make(catalogue_);
        const fs::path pristine = directory_.file("pristine.db");
        fs::copy_file(catalogue_, pristine, fs::copy_options::overwrite_existing);

        KilledWriter writer([&](const KilledWriter::StopHere& stopHere) {
            int checks = 0;
            std::optional<int> replacedAt;
            const auto replaceNow = [&] {
                replace();
                replacedAt = checks;
            };
            const Database::BeforeFileCheck hook = [&](FileCheck check) {
                ++checks;
                // A writer that went on after the move is killed here, mid-write.
                if (replacedAt && checks - *replacedAt >= 2) {
                    stopHere("still writing into the file that was moved aside");
                }
                if (!replacedAt && write.replaceAt(check) && fs::exists(journalOf(catalogue_))) {
                    replaceNow();
                }
            };
            write.write(catalogue_, hook, replaceNow);
            return std::string("committed");
        });
        writer.go();
        EXPECT_EQ(writer.line(), write.opening ? catalogueReplaced(catalogue_).description()
                                               : CatalogueMoved(catalogue_).description());
        writer.kill();
        expectBothWhole(write.settled(pristine), true, write.settled);
    }
}

// Another program's write that changes every entity and adds kLost more, and is killed before
// its commit: pages it changed are in the file, their old content in its journal.
KilledWriter::Work dyingWrite(const fs::path& catalogue) {
    return [catalogue](const KilledWriter::StopHere& stopHere) {
        constexpr int kLost = 3000;
        const auto database = Database::open(catalogue);
        database->execute(kSmallCache);
        Transaction writing(*database);
        database->execute("UPDATE Entity SET ent_contact = 'lost'");
        database->execute(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
            "INSERT INTO Entity (ent_id, ent_name, ent_contact) SELECT 100000 + i, 'Lost', 'lost' "
            "FROM n",
            kLost);
        stopHere("mid-write");
        return std::string();
    };
}

// The journal of another program killed part way through a write can be rolled back only by a
// connection that may write: the search's own connection cannot.
TEST_F(InterruptedWrite, ASearchAfterAnotherProgramWasKilledMidWriteReadsTheCommittedRows) {
    constexpr int kKept = 3000;
    global_db().OpenDB(catalogue_.string());
    {
        Transaction writing(global_db().database());
        for (int i = 0; i < kKept; ++i) {
            addEntity("Kept " + std::to_string(i));
        }
        writing.commit();
    }
    global_db().CloseDB();
    KilledWriter writer(dyingWrite(catalogue_));
    KTDB ktdb;
    ktdb.OpenDB(catalogue_.string());
    writer.go();
    ASSERT_EQ(writer.line(), "mid-write");
    writer.kill();
    ASSERT_TRUE(fs::exists(journalOf(catalogue_)));

    std::vector<std::string> names;
    std::vector<std::int32_t> ids;
    std::vector<std::int32_t> acls;
    EXPECT_TRUE(
        ktdb.RunNamesQuery("ent_contact = 'tester'", names, ids, acls, false, false, false));
    EXPECT_EQ(names.size(), std::size_t{kKept + 1});
    EXPECT_EQ(ktdb.RunQuery("ent_contact = 'lost'", false)->Count(), 0);
    EXPECT_FALSE(fs::exists(journalOf(catalogue_)));
}

// Once another file was renamed over the catalogue, the journal beside the path is that file's:
// no search, read or change rolls it back into the catalogue opened. Each is refused, naming the
// file, and the journal stays for the next program that opens the file it belongs to.
TEST_F(InterruptedWrite, NothingRollsTheJournalOfAFileRenamedOverItsCatalogueIntoIt) {
    struct Deed {
        std::string refused;
        std::function<void(KTDB&, Entity& part)> run;
    };
    const Deed deeds[] = {
        {"search", [](KTDB& ktdb, Entity&) { ktdb.RunQuery("ent_contact = 'tester'", false); }},
        {"read", [](KTDB& ktdb, Entity&) { ktdb.GetEntitiesByName("Part"); }},
        {"change", [](KTDB& ktdb, Entity&) { ktdb.GetNewBundle("Kit"); }},
        {"change", [](KTDB&, Entity& part) { part.AddNewSpecialization("Variant", "tester"); }},
    };
    for (const Deed& deed : deeds) {
        SCOPED_TRACE(deed.refused);
        makeFiles();
        global_db().OpenDB(catalogue_.string());
        const std::int32_t partKey = addEntity("Part");
        global_db().CloseDB();
        const std::string before = contentOf(catalogue_);
        KilledWriter writer(dyingWrite(catalogue_));
        KTDB ktdb;
        ktdb.OpenDB(catalogue_.string());
        const auto part = GetEntity(EntityID(partKey));
        replace();
        writer.go();
        ASSERT_EQ(writer.line(), "mid-write");
        writer.kill();
        ASSERT_TRUE(fs::exists(journalOf(catalogue_)));

        const Error error = errorOf([&] { deed.run(ktdb, *part); });
        EXPECT_EQ(error.description(),
                  "Cannot " + deed.refused + " the catalogue \"" + catalogue_.string() +
                      "\": the file at that path was replaced, moved or deleted, and another "
                      "program stopped part way through changing the file there now. Open the "
                      "catalogue again.");
        ktdb.CloseDB();
        EXPECT_TRUE(fs::exists(journalOf(catalogue_)));
        EXPECT_EQ(contentOf(movedAside_), before);
        // Its own journal brings the other file back.
        EXPECT_EQ(contentOf(catalogue_), otherContent_);
    }
}

// While it lives, no file of this process grows past `bytes`, as on a full disk: a write past
// it fails, the signal that would end the process ignored.
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uintmax_t bytes) {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        if (::getrlimit(RLIMIT_FSIZE, &before_) != 0 ||
            ::sigaction(SIGXFSZ, &ignore, &signalBefore_) != 0) {
            return;
        }
        rlimit limited = before_;
        limited.rlim_cur = static_cast<rlim_t>(bytes);
        inForce_ = ::setrlimit(RLIMIT_FSIZE, &limited) == 0;
        if (!inForce_) {
            ::sigaction(SIGXFSZ, &signalBefore_, nullptr);
        }
    }
    ~FileSizeLimit() {
        if (inForce_) {
            ::setrlimit(RLIMIT_FSIZE, &before_);
            ::sigaction(SIGXFSZ, &signalBefore_, nullptr);
        }
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool inForce() const { return inForce_; }

private:
    rlimit before_{};
    struct sigaction signalBefore_ {};
    bool inForce_ = false;
};

// A change that the disk cannot hold, whether its journal or the catalogue file could not grow,
// is refused naming the file and the system's reason; the catalogue stays as it was, and the
// next change goes through once there is room.
TEST_F(InterruptedWrite, AChangeThatTheDiskCannotHoldIsRefusedNamingTheFileAndChangesNothing) {
    constexpr int kBundles = 200;
    constexpr std::uintmax_t kJournalHeaderOnly = 2048;
    struct Room {
        std::string label;
        std::function<std::uintmax_t(const fs::path& catalogue)> bytes;
    };
    const Room rooms[] = {
        {"no room for the journal", [](const fs::path&) { return kJournalHeaderOnly; }},
        // The journal keeps only the pages changed; the new ones go past the file's end.
        {"no room for the catalogue to grow",
         [](const fs::path& catalogue) { return fs::file_size(catalogue); }},
    };
    fs::remove(catalogue_);
    makeManyThings(catalogue_);
    const fs::path pristine = directory_.file("pristine.db");
    fs::copy_file(catalogue_, pristine);
    const std::string before = contentOf(catalogue_);
    for (const Room& room : rooms) {
        SCOPED_TRACE(room.label);
        fs::copy_file(pristine, catalogue_, fs::copy_options::overwrite_existing);
        global_db().OpenDB(catalogue_.string());
        std::optional<Error> error;
        {
            const FileSizeLimit limit(room.bytes(catalogue_));
            if (!limit.inForce()) {
                GTEST_SKIP() << "The size of the files this process writes cannot be limited here.";
            }
            error = errorOf([] {
                Transaction operation(global_db().database());
                for (int i = 0; i < kBundles; ++i) {
                    KTDB().GetNewBundle("Kit " + std::to_string(i));
                }
                operation.commit();
            });
        }
        const int code = error->number() & 0xff;
        EXPECT_TRUE(code == SQLITE_FULL || code == SQLITE_IOERR) << error->number();
        // The system's reason: a write past the limit, or one cut short there.
        const auto refusal = [&](std::errc reason) {
            return "Cannot change the catalogue \"" + catalogue_.string() +
                   "\": the system could not write it (" + std::make_error_code(reason).message() +
                   "), so the change was not made.";
        };
        EXPECT_THAT(error->description(), ::testing::AnyOf(refusal(std::errc::file_too_large),
                                                           refusal(std::errc::no_space_on_device)));
        EXPECT_FALSE(fs::exists(journalOf(catalogue_)));
        EXPECT_EQ(contentOf(catalogue_), before);
        KTDB().GetNewBundle("Kit");
        global_db().CloseDB();
    }
}

}  // namespace
}  // namespace kt
