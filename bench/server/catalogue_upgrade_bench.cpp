// Opening a catalogue of the oldest schema with 100,000 activities: the whole upgrade to the
// current schema, from the version 6 conversion to the last step (goal: under 10 s).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench/support/peak_memory.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/legacy_schema.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"

namespace {

constexpr int kActivities = 100000;
// Keys 0 to 2 are the old root and its resource and place roots.
constexpr int kFirstActivity = 3;
constexpr int kBranching = 10;
// Every so many activities one is an old bundle, one carries navigation links.
constexpr int kBundleEvery = 100;
constexpr int kDoclinksEvery = 50;

// A directory of the benchmark's own, so that the upgrade log lands there too.
class ScratchDirectory {
public:
    ScratchDirectory()
        : path_(std::filesystem::temp_directory_path() /
                ("catalogue_upgrade_bench_" + std::to_string(::getpid()))) {
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

int parentOf(int key) {
    const int index = key - kFirstActivity;
    return index < kBranching ? 0 : kFirstActivity + (index - kBranching) / kBranching;
}

// An activity tree of the oldest schema: each activity below its parent, decomposed into the
// activity after it, with its old notes; some bundles and navigation links.
void writeOldCatalogue(const std::filesystem::path& path) {
    auto database = kt::Database::create(path);
    kt::Transaction writing(*database);
    kt::createLegacySchema(*database);
    const kt::TimeStamp stamp = kt::TimeStamp::now();
    kt::insertLegacyRoot(*database, stamp);
    const auto activity = [&](int key, const std::string& name, int type, bool bundle) {
        database->execute(
            "INSERT INTO Activity (acti_id, acti_name, acti_contact, acti_is_bundle, "
            "acti_last_modified, acti_deleted, acti_type, acti_unique_id, Acti_ACL) "
            "VALUES (?, ?, 'bench', ?, ?, 0, ?, ?, 0)",
            key, name, bundle, stamp.lastModified(), type, stamp.pifId(key));
    };
    int spec = 0;
    const auto specialise = [&](int parent, int child) {
        database->execute("INSERT INTO Specialisation VALUES (?, ?, ?, 0)", ++spec, parent, child);
    };
    activity(1, "Resources", 3, false);
    activity(2, "Places", 9, false);
    specialise(0, 1);
    specialise(0, 2);
    int attribute = 0;
    int decomposition = 0;
    const int last = kFirstActivity + kActivities - 1;
    for (int key = kFirstActivity; key <= last; ++key) {
        activity(key, "Activity " + std::to_string(key), 0, key % kBundleEvery == 0);
        specialise(parentOf(key), key);
        if (key < last) {
            ++decomposition;
            database->execute("INSERT INTO Decomposition VALUES (?, 'bench', ?, ?, 0, ?, 0, 0)",
                              decomposition, key, key + 1, decomposition);
        }
        database->execute(
            "INSERT INTO Attributes VALUES (?, 'Activity Display', 0, 'String', ?, ?, ?, 0, 0)",
            ++attribute, std::to_string(key % 7) + "!one!two!three!", key, attribute);
        if (key % kDoclinksEvery == 0) {
            database->execute(
                "INSERT INTO Attributes VALUES (?, 'doclinks', 0, 'String', ?, ?, ?, NULL, 0)",
                ++attribute, std::to_string(key + 1) + "!0abcdef-1", key, attribute);
        }
    }
    writing.commit();
}

void BM_UpgradeOldestCatalogue(benchmark::State& state) {
    const ScratchDirectory directory;
    const auto original = directory.path() / "original.db";
    writeOldCatalogue(original);
    const auto copy = directory.path() / "catalogue.db";
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::remove(copy);
        std::filesystem::copy_file(original, copy);
        state.ResumeTiming();
        kt::global_db().OpenDB(copy.string());
        state.PauseTiming();
        kt::reset_global_db();
        state.ResumeTiming();
    }
    state.counters["entities"] = kActivities;
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}
BENCHMARK(BM_UpgradeOldestCatalogue)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
