// Inserting entities the way the catalogue does (MAX + 1 key, then a cached, bound INSERT),
// beside raw prepared INSERTs of the same rows into the same kind of file (the engine's default
// rollback journal, as the catalogue keeps). Prints how many times slower the first is.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "bench/support/peak_memory.h"
#include "bench/support/scratch_database_path.h"
#include "server/database/catalogue_schema.h"
#include "server/database/database.h"
#include "server/database/entity_insert.h"
#include "server/database/transaction.h"

namespace {

constexpr int kRows = 100000;
constexpr const char* kInsertPath = "InsertThroughKeyAllocation";
constexpr const char* kRawPath = "RawPreparedInsert";

const kt::TimeStamp& stamp() {
    static const kt::TimeStamp moment = kt::TimeStamp::now();
    return moment;
}

std::string rowName(int i) {
    return "Entity " + std::to_string(i);
}

// An empty catalogue schema in a file of its own, removed afterwards.
class ScratchCatalogue {
public:
    ScratchCatalogue() { kt::createCatalogueSchema(*kt::Database::create(file_.path())); }
    const std::filesystem::path& path() const { return file_.path(); }

private:
    vrn::bench::ScratchDatabasePath file_{"kt_insert_bench"};
};

void InsertThroughKeyAllocation(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scratch = std::make_unique<ScratchCatalogue>();
        auto database = kt::Database::open(scratch->path());
        kt::NewEntity entity;
        entity.contact = "bench";
        entity.type = kt::EntityType::Activity;
        entity.stamp = stamp();
        state.ResumeTiming();

        kt::Transaction operation(*database);
        for (int i = 0; i < kRows; ++i) {
            entity.name = rowName(i);
            kt::insertEntity(*database, entity);
        }
        operation.commit();

        state.PauseTiming();
        database.reset();
        scratch.reset();
        state.ResumeTiming();
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void check(int resultCode, sqlite3* connection) {
    if (resultCode != SQLITE_OK && resultCode != SQLITE_DONE && resultCode != SQLITE_ROW) {
        throw std::runtime_error(sqlite3_errmsg(connection));
    }
}

void RawPreparedInsert(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto scratch = std::make_unique<ScratchCatalogue>();
        sqlite3* connection = nullptr;
        check(sqlite3_open(scratch->path().c_str(), &connection), connection);
        sqlite3_stmt* insert = nullptr;
        check(sqlite3_prepare_v2(
                  connection,
                  "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, "
                  "ent_last_modified, ent_deleted, ent_type, ent_unique_id, ent_acl, "
                  "ent_cache_spec_count, ent_cache_bundle_count, ent_cache_decomp_count) "
                  "VALUES (?, ?, ?, ?, ?, 0, ?, ?, ?, ?, ?, ?)",
                  -1, &insert, nullptr),
              connection);
        state.ResumeTiming();

        check(sqlite3_exec(connection, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), connection);
        for (int i = 0; i < kRows; ++i) {
            const std::string name = rowName(i);
            const std::string pifId = stamp().pifId(i);
            sqlite3_bind_int(insert, 1, i);
            sqlite3_bind_text(insert, 2, name.data(), int(name.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, "bench", 5, SQLITE_STATIC);
            sqlite3_bind_int(insert, 4, 0);
            sqlite3_bind_text(insert, 5, stamp().lastModified().c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(insert, 6, 1);
            sqlite3_bind_text(insert, 7, pifId.data(), int(pifId.size()), SQLITE_TRANSIENT);
            sqlite3_bind_null(insert, 8);
            sqlite3_bind_int(insert, 9, 0);
            sqlite3_bind_int(insert, 10, 0);
            sqlite3_bind_int(insert, 11, 0);
            check(sqlite3_step(insert), connection);
            sqlite3_reset(insert);
        }
        check(sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr), connection);

        state.PauseTiming();
        sqlite3_finalize(insert);
        sqlite3_close(connection);
        scratch.reset();
        state.ResumeTiming();
    }
    state.counters["rows/s"] =
        benchmark::Counter(double(kRows) * state.iterations(), benchmark::Counter::kIsRate);
}

BENCHMARK(InsertThroughKeyAllocation)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(RawPreparedInsert)->Unit(benchmark::kMillisecond)->Iterations(5);

// Keeps each benchmark's time per iteration so the two can be compared at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            seconds_[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
    }
    void printRatio() const {
        const auto insert = seconds_.find(kInsertPath);
        const auto raw = seconds_.find(kRawPath);
        if (insert != seconds_.end() && raw != seconds_.end() && raw->second > 0) {
            GetOutputStream() << "Insert path / raw prepared INSERT, " << kRows
                              << " rows: " << insert->second / raw->second
                              << " times (goal: within 3)\n";
        }
    }

private:
    std::map<std::string, double> seconds_;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio();
    benchmark::Shutdown();
    return 0;
}
