// The host's look-ups on a catalogue of 100,000 entities: by name and by PIF ID (goal: well
// under a millisecond each), a names list for one name, the statistics over every row, 300
// distinct search conditions of 60 kB each (goal: the engine's memory stays flat), and host
// searches that find 11,111 entities, by a range of names and by a LIKE pattern (goal: at most
// twice its floor, the same search in plain SQL on a connection of its own: prepare, step and
// read the same columns), and what the check of the catalogue's path against another file's
// journal costs a read outside a transaction (beside the same read without it).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/scratch_database_path.h"
#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/catalogue_file.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/journal_guard.h"
#include "server/database/transaction.h"
#include "server/entities/entities.h"

namespace {

constexpr int kEntities = 100000;

std::string nameOf(int i) {
    return "Entity " + std::to_string(i);
}
std::string pifIdOf(int i) {
    return "PIF-" + std::to_string(i);
}

// A fresh catalogue with kEntities more entities, open as the shared database object for the
// whole run and removed at its end.
class LargeCatalogue {
public:
    LargeCatalogue() {
        kt::CreateCatalogue(file_.path());
        {
            auto database = kt::Database::open(file_.path());
            kt::Transaction operation(*database);
            kt::NewEntity entity;
            entity.contact = "bench";
            entity.type = kt::EntityType::Activity;
            for (int i = 0; i < kEntities; ++i) {
                entity.name = nameOf(i);
                entity.pifId = pifIdOf(i);
                kt::insertEntity(*database, entity);
            }
            operation.commit();
        }
        kt::global_db().OpenDB(file_.path().string());
    }
    ~LargeCatalogue() { kt::reset_global_db(); }

    static LargeCatalogue& shared() {
        static LargeCatalogue catalogue;
        return catalogue;
    }

    const std::filesystem::path& path() const { return file_.path(); }

    // Entity numbers in a fixed random order, so that no look-up finds a warm neighbour.
    const std::vector<int>& order() const { return order_; }

private:
    vrn::bench::ScratchDatabasePath file_{"kt_query_bench"};
    std::vector<int> order_ = [] {
        std::vector<int> numbers(kEntities);
        for (int i = 0; i < kEntities; ++i) {
            numbers[static_cast<std::size_t>(i)] = i;
        }
        std::shuffle(numbers.begin(), numbers.end(), std::mt19937(42));
        return numbers;
    }();
};

template <typename Lookup>
void runLookups(benchmark::State& state, Lookup lookup) {
    const auto& order = LargeCatalogue::shared().order();
    std::size_t next = 0;
    for (auto _ : state) {
        lookup(order[next]);
        next = (next + 1) % order.size();
    }
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void GetEntitiesByName(benchmark::State& state) {
    kt::KTDB ktdb;
    runLookups(state, [&](int i) {
        auto found = ktdb.GetEntitiesByName(nameOf(i));
        if (found->Count() != 1) {
            state.SkipWithError("not found");
        }
        benchmark::DoNotOptimize(found);
    });
}

void GetEntityByPIFID(benchmark::State& state) {
    kt::KTDB ktdb;
    runLookups(state, [&](int i) { benchmark::DoNotOptimize(ktdb.GetEntityByPIFID(pifIdOf(i))); });
}

void RunNamesQueryForOneName(benchmark::State& state) {
    kt::KTDB ktdb;
    std::vector<std::string> names;
    std::vector<std::int32_t> ids;
    std::vector<std::int32_t> acls;
    runLookups(state, [&](int i) {
        ktdb.RunNamesQuery("ent_name = '" + nameOf(i) + "'", names, ids, acls, false, true, true);
        benchmark::DoNotOptimize(names);
    });
}

void GetStatistics(benchmark::State& state) {
    LargeCatalogue::shared();
    kt::KTDB ktdb;
    std::vector<std::string> names;
    std::vector<std::int32_t> values;
    for (auto _ : state) {
        std::int32_t count = 0;
        ktdb.GetStatistics(names, values, count);
        benchmark::DoNotOptimize(values);
    }
}

void DistinctLargeConditions(benchmark::State& state) {
    constexpr int kConditions = 300;
    constexpr double kMegabyte = 1 << 20;
    LargeCatalogue::shared();
    kt::KTDB ktdb;
    const std::string padding = "/*" + std::string(60 * 1024, 'x') + "*/";
    ktdb.RunQuery("ent_id = 0", false);
    const auto before = sqlite3_memory_used();
    int next = 0;
    for (auto _ : state) {
        for (int i = 0; i < kConditions; ++i) {
            benchmark::DoNotOptimize(
                ktdb.RunQuery("ent_id = " + std::to_string(++next) + padding, false));
        }
    }
    state.counters["engine MB growth"] = double(sqlite3_memory_used() - before) / kMegabyte;
    state.counters["engine MB peak"] = double(sqlite3_memory_highwater(0)) / kMegabyte;
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

// Conditions that find "Entity 1", "Entity 10" to "Entity 19", and so on up to "Entity 19999".
constexpr std::string_view kNameRange = "ent_name >= 'Entity 1' AND ent_name < 'Entity 2'";
constexpr std::string_view kNamePattern = "ent_name LIKE 'Entity 1%'";
constexpr int kFound = 11111;

void hostSearch(benchmark::State& state, std::string_view condition) {
    LargeCatalogue::shared();
    kt::KTDB ktdb;
    for (auto _ : state) {
        const auto found = ktdb.RunQuery(std::string(condition), false);
        if (found->Count() != kFound) {
            state.SkipWithError("a different number of entities was found");
        }
        benchmark::DoNotOptimize(found);
    }
}

// The floor: the same rows in plain SQL on a connection of its own, every column read once.
void plainSearch(benchmark::State& state, std::string_view condition) {
    const auto& path = LargeCatalogue::shared().path();
    sqlite3* connection = nullptr;
    sqlite3_open_v2(path.c_str(), &connection, SQLITE_OPEN_READONLY, nullptr);
    const std::string sql = "SELECT * FROM Entity WHERE " + std::string(condition) +
                            " AND ent_deleted = 0 ORDER BY ent_id";
    for (auto _ : state) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(connection, sql.c_str(), -1, &statement, nullptr);
        int rows = 0;
        std::size_t bytes = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            for (int column = 0; column < sqlite3_column_count(statement); ++column) {
                if (sqlite3_column_type(statement, column) == SQLITE_TEXT) {
                    bytes += std::string(reinterpret_cast<const char*>(
                                             sqlite3_column_text(statement, column)))
                                 .size();
                } else {
                    bytes += static_cast<std::size_t>(sqlite3_column_int64(statement, column));
                }
            }
            ++rows;
        }
        sqlite3_finalize(statement);
        if (rows != kFound) {
            state.SkipWithError("a different number of entities was found");
        }
        benchmark::DoNotOptimize(bytes);
    }
    sqlite3_close(connection);
}

void RunQueryOfANameRange(benchmark::State& state) {
    hostSearch(state, kNameRange);
}
void FloorOfANameRange(benchmark::State& state) {
    plainSearch(state, kNameRange);
}
// A search's LIKE is its own, which stops with the search, so no index serves it; the
// engine's LIKE of the floor reads the name index.
void RunQueryOfANamePattern(benchmark::State& state) {
    hostSearch(state, kNamePattern);
}
void FloorOfANamePattern(benchmark::State& state) {
    plainSearch(state, kNamePattern);
}

// The library's own connection reads through a file layer that checks the catalogue's path
// whenever the engine finds a journal beside it (JournalGuard). Its cost: one row read outside a
// transaction through that layer, beside the same read on the engine's default layer (the
// floor); with no journal beside the path (Arg 0: nothing is checked) and while another
// connection's write keeps its journal there (Arg 1: each read checks the path once); and the
// check alone, a stat of the path.
class RowReader {
public:
    explicit RowReader(bool guarded) {
        const auto& path = LargeCatalogue::shared().path();
        sqlite3_open_v2(path.c_str(), &connection_, SQLITE_OPEN_READWRITE,
                        guarded ? guard_.name() : nullptr);
        if (guarded) {
            guard_.guard(*kt::openedCatalogueFile(connection_));
        }
        sqlite3_prepare_v2(connection_, "SELECT ent_name FROM Entity WHERE ent_id = ?", -1,
                           &statement_, nullptr);
    }
    ~RowReader() {
        sqlite3_finalize(statement_);
        sqlite3_close(connection_);
    }
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    bool read(int key) {
        sqlite3_bind_int(statement_, 1, key);
        const bool found = sqlite3_step(statement_) == SQLITE_ROW;
        sqlite3_reset(statement_);
        return found;
    }

private:
    kt::JournalGuard guard_;  // before the connection, which closes first
    sqlite3* connection_ = nullptr;
    sqlite3_stmt* statement_ = nullptr;
};

// Another connection's write, open until the object ends: its journal stays beside the path.
class OpenWrite {
public:
    OpenWrite() {
        sqlite3_open(LargeCatalogue::shared().path().c_str(), &connection_);
        sqlite3_exec(connection_,
                     "BEGIN IMMEDIATE; UPDATE Entity SET ent_contact = 'held' WHERE ent_id = 1",
                     nullptr, nullptr, nullptr);
    }
    ~OpenWrite() {
        sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(connection_);
    }
    OpenWrite(const OpenWrite&) = delete;
    OpenWrite& operator=(const OpenWrite&) = delete;

private:
    sqlite3* connection_ = nullptr;
};

void readRows(benchmark::State& state, bool guarded) {
    RowReader reader(guarded);
    std::optional<OpenWrite> write;
    if (state.range(0) != 0) {
        write.emplace();
    }
    const auto journal = LargeCatalogue::shared().path().string() + "-journal";
    if (std::filesystem::exists(journal) != write.has_value()) {
        state.SkipWithError("the journal is not as the benchmark needs it");
    }
    runLookups(state, [&](int i) {
        if (!reader.read(i + 1)) {
            state.SkipWithError("not found");
        }
    });
}
void ReadOutsideATransactionThroughTheJournalGuard(benchmark::State& state) {
    readRows(state, true);
}
void ReadOutsideATransaction_Floor(benchmark::State& state) {
    readRows(state, false);
}

void CheckOfThePathAlone(benchmark::State& state) {
    const auto database = kt::Database::open(LargeCatalogue::shared().path());
    for (auto _ : state) {
        benchmark::DoNotOptimize(database->file().stillAtPath());
    }
}

BENCHMARK(GetEntitiesByName)->Unit(benchmark::kMicrosecond);
BENCHMARK(GetEntityByPIFID)->Unit(benchmark::kMicrosecond);
BENCHMARK(RunNamesQueryForOneName)->Unit(benchmark::kMicrosecond);
BENCHMARK(GetStatistics)->Unit(benchmark::kMillisecond);
BENCHMARK(DistinctLargeConditions)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(RunQueryOfANameRange)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorOfANameRange)->Unit(benchmark::kMillisecond);
BENCHMARK(RunQueryOfANamePattern)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorOfANamePattern)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadOutsideATransactionThroughTheJournalGuard)->Arg(0)->Arg(1);
BENCHMARK(ReadOutsideATransaction_Floor)->Arg(0)->Arg(1);
BENCHMARK(CheckOfThePathAlone);

}  // namespace
