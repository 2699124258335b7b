// A search's memory is bounded by the search alone: a host thread that uses the engine at the
// same time meets no limit of the search's. The cases run in two programs: one where the
// engine counts its memory, one where the host turned that off before anything else.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "server/catalogue/host_queries.h"
#include "server/catalogue/ktdb.h"
#include "server/database/database.h"
#include "server/database/errors.h"
#include "server/database/object_id.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"
#include "tests/server/database/open_catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

constexpr std::string_view kTooMuch = "more than the 64 MB";
// What the process may grow by while searches fail for their memory and the host writes: the
// search's 64 MB, the host's own and room.
constexpr std::int64_t kMostGrowth = 100 << 20;
constexpr std::int64_t kMegabyte = 1 << 20;
#if defined(__SANITIZE_ADDRESS__)
// Freed memory waits in the sanitizer's quarantine: the resident size tells nothing here.
constexpr bool kResidentSizeShowsUse = false;
#else
constexpr bool kResidentSizeShowsUse = true;
#endif

// The peak of the process's resident memory from here on, as the system counts it.
class ResidentPeak {
public:
    ResidentPeak() {
        std::ofstream("/proc/self/clear_refs") << "5";
        start_ = kilobytes("VmRSS:");
    }
    std::int64_t growth() const { return (kilobytes("VmHWM:") - start_) * 1024; }

private:
    static std::int64_t kilobytes(const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string name;
        std::int64_t value = 0;
        while (status >> name) {
            if (name == field && status >> value) {
                return value;
            }
        }
        return 0;
    }

    std::int64_t start_ = 0;
};

// A thread of the host with a connection of its own (the engine's plain interface), writing
// rows of 8 MB to a database of its own until told to stop. The rows take turns in a few
// places, so the file stays small however long it writes.
class BusyHost {
public:
    explicit BusyHost(const std::filesystem::path& file)
        : thread_([this, file](std::stop_token stop) { write(file, stop); }) {
        while (written_.load() == 0 && !ended_.load()) {
            std::this_thread::yield();
        }
    }

    // Stops writing once at least `least` bytes are written; the first error, if any.
    std::string finish(std::int64_t least) {
        while (written_.load() < least && !ended_.load()) {
            std::this_thread::yield();
        }
        thread_.request_stop();
        thread_.join();
        return error_;
    }
    std::int64_t written() const { return written_.load(); }

private:
    static constexpr int kRowBytes = 8 << 20;
    static constexpr int kRowsPerTransaction = 2;
    static constexpr int kPlaces = 4;

    void write(const std::filesystem::path& file, std::stop_token stop) {
        sqlite3* connection = nullptr;
        sqlite3_stmt* insert = nullptr;
        const auto run = [&](const char* sql) {
            return sqlite3_exec(connection, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        };
        if (sqlite3_open(file.c_str(), &connection) != SQLITE_OK ||
            !run("PRAGMA synchronous = OFF") ||
            !run("CREATE TABLE filler(place INTEGER PRIMARY KEY, data BLOB)") ||
            sqlite3_prepare_v2(connection, "INSERT OR REPLACE INTO filler VALUES (?, ?)", -1,
                               &insert, nullptr) != SQLITE_OK) {
            error_ = std::string("open: ") + sqlite3_errmsg(connection);
        }
        const std::vector<char> row(kRowBytes, 'h');
        for (int place = 0; error_.empty() && !stop.stop_requested();) {
            bool wrote = run("BEGIN");
            for (int i = 0; wrote && i < kRowsPerTransaction; ++i) {
                sqlite3_bind_int(insert, 1, place++ % kPlaces);
                sqlite3_bind_blob(insert, 2, row.data(), kRowBytes, SQLITE_TRANSIENT);
                wrote = sqlite3_step(insert) == SQLITE_DONE;
                sqlite3_reset(insert);
            }
            if (wrote && run("COMMIT")) {
                written_ += kRowsPerTransaction * kRowBytes;
            } else {
                error_ = sqlite3_errmsg(connection);
            }
        }
        sqlite3_finalize(insert);
        sqlite3_close(connection);
        ended_ = true;
    }

    std::string error_;
    std::atomic<std::int64_t> written_{0};
    std::atomic<bool> ended_{false};
    std::jthread thread_;  // last: it starts once everything it uses is there
};

class SearchMemory : public test::OpenCatalogueFixture {
protected:
    KTDB ktdb_;
};

// Sorting and keeping apart 12 MB goes past the engine's caches: what it writes to its
// temporary files comes back whole.
TEST_F(SearchMemory, ASearchThatSortsMoreThanItsCachesHoldFindsItsRows) {
    const std::string rows = wideRows(12'000);
    const std::int32_t alpha = addEntity("Alpha");
    for (const std::string& counted :
         {"SELECT v FROM (" + rows + ") GROUP BY v", "SELECT DISTINCT v FROM (" + rows + ")",
          "SELECT v FROM (" + rows + ") ORDER BY v DESC LIMIT 1000"}) {
        SCOPED_TRACE(counted);
        const auto found = ktdb_.RunQuery(
            "ent_name = 'Alpha' AND (SELECT COUNT(*) FROM (" + counted + ")) = 1000", false);
        ASSERT_EQ(found->Count(), 1);
        EXPECT_EQ(found->GetItemByIndex(1)->GetGeneric()->ID(), alpha);
    }
    const auto last = ktdb_.RunQuery("ent_name = 'Alpha' AND (SELECT substr(v, 1, 4) FROM (" +
                                         rows + ") ORDER BY v DESC LIMIT 1) = '9www'",
                                     false);
    EXPECT_EQ(last->Count(), 1);
}

TEST_F(SearchMemory, ASearchPastItsMemoryStopsWhileAnotherThreadFillsItsOwnDatabase) {
    constexpr int kSearches = 6;
    constexpr std::int64_t kHostWrites = 64 * kMegabyte;
    const std::string rows = wideRows(100'000);
    const std::string conditions[] = {
        "(SELECT COUNT(*) FROM (SELECT DISTINCT v FROM (" + rows + "))) = 0",
        "ent_id IN (SELECT v FROM (" + rows + ") GROUP BY v)",
    };
    const ResidentPeak peak;
    BusyHost host(directory_.file("host.db"));
    for (int i = 0; i < kSearches; ++i) {
        const std::string& condition = conditions[i % std::size(conditions)];
        SCOPED_TRACE(condition.substr(0, 40));
        const Error error = errorOf([&] { ktdb_.RunQuery(condition, false); });
        EXPECT_EQ(error.number(), objectError(666));
        EXPECT_NE(error.description().find(kTooMuch), std::string::npos) << error.description();
    }
    EXPECT_EQ(host.finish(kHostWrites), "");
    EXPECT_GE(host.written(), kHostWrites);
    if (kResidentSizeShowsUse) {
        EXPECT_LT(peak.growth(), kMostGrowth);
    }
}

// The engine counts the memory of the whole program. A search during which the host's own use
// of the engine grows by more than the search may use is stopped where the engine counts, and
// says that the host's use counts too; once that is over, the same search goes through.
TEST_F(SearchMemory, ASearchStoppedByTheHostsOwnUseOfTheEngineSaysSoAndGoesThroughOnceMore) {
    constexpr std::int64_t kHostUse = 80 * kMegabyte;
    const std::string sql =
        "WITH Entity AS (SELECT * FROM main.Entity WHERE ent_deleted = 0) SELECT ent_id FROM "
        "Entity";
    const ReadRules rules{"Entity", std::chrono::seconds(5)};
    const std::int64_t entities =
        std::get<std::int64_t>(*database().scalar("SELECT COUNT(*) FROM Entity"));
    // The host takes memory of the engine while the search hands over its first row.
    bool hostBusy = true;
    void* hostUse = nullptr;
    std::int64_t rows = 0;
    const auto search = [&] {
        rows = 0;
        database().confinedRows(sql, rules, [&](const Recordset&) {
            ++rows;
            if (hostBusy && hostUse == nullptr) {
                hostUse = sqlite3_malloc64(kHostUse);
            }
        });
    };
    if (sqlite3_memory_used() > 0) {
        const Error error = errorOf(search);
        EXPECT_EQ(error.number(), SQLITE_NOMEM);
        EXPECT_NE(error.description().find("includes the program's other use of the database "
                                           "engine at that moment, so trying again may succeed"),
                  std::string::npos)
            << error.description();
    } else {
        // Nothing counts the host's use.
        search();
    }
    ASSERT_NE(hostUse, nullptr);
    sqlite3_free(hostUse);
    hostBusy = false;
    search();
    EXPECT_EQ(rows, entities);
}

}  // namespace
}  // namespace kt
