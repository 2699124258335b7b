// The attribute repair (CleanDB 4) over hierarchies below "Activity Root": a ladder of 24 levels
// where each activity specializes both activities of the level above (2^24 paths to the
// bottom), and a plain chain of 6,000 levels. "Activity Root" has just gained an attribute
// that none of them holds. Goal: under 1 s each. The floor is the same walk done the plainest
// way: every reachable activity read once with its attributes and its specializations, and the
// missing attribute written to each, by plain statements.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/rolled_back_rounds.h"
#include "bench/support/scratch_database_path.h"
#include "server/catalogue/ktdb.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/field.h"
#include "server/database/key_allocation.h"
#include "server/database/transaction.h"

namespace {

constexpr std::int32_t kActivityRoot = 0;
constexpr int kLadderLevels = 24;
constexpr int kLadderWidth = 2;
constexpr int kChainLevels = 6000;

// A fresh catalogue holding one hierarchy of activities below "Activity Root", open as the
// shared database object while the object lives.
class Hierarchy {
public:
    // `width` activities per level, each a specialization of every activity of the level above.
    Hierarchy(int levels, int width) {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        auto& database = kt::global_db().database();
        kt::Transaction writing(database);
        std::int32_t specKey = kt::NewSpecID();
        std::vector<std::int32_t> above{kActivityRoot};
        for (int level = 0; level < levels; ++level) {
            std::vector<std::int32_t> current;
            for (int i = 0; i < width; ++i) {
                kt::NewEntity row;
                row.name = "Level " + std::to_string(level) + "." + std::to_string(i);
                row.contact = "bench";
                row.type = kt::EntityType::Activity;
                const std::int32_t key = kt::insertEntity(database, row);
                for (const std::int32_t parent : above) {
                    database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, 2, ?)",
                                     specKey++, parent, key, i);
                }
                current.push_back(key);
            }
            entities_ += width;
            above = std::move(current);
        }
        database.execute(
            "INSERT INTO Attributes VALUES (?, 'Colour', 0, 'String', 'green', ?, ?, -1, 0, "
            "'-', -1, -1, 1, 2)",
            kt::NewAttributeID(), kActivityRoot, kt::NewAttributeID());
        writing.commit();
    }
    ~Hierarchy() { kt::reset_global_db(); }
    Hierarchy(const Hierarchy&) = delete;
    Hierarchy& operator=(const Hierarchy&) = delete;

    // Activities that hold the attribute, "Activity Root" included.
    int holding() const {
        return static_cast<int>(
            kt::Field("n", kt::global_db()
                               .database()
                               .scalar("SELECT COUNT(*) FROM Attributes WHERE atri_name = "
                                       "'Colour' AND atri_deleted = 0")
                               .value())
                .asLong());
    }

    int entities_ = 0;

private:
    vrn::bench::ScratchDatabasePath file_{"kt_maintenance_bench"};
};

// Every round repairs the same rows: it is rolled back before the next.
template <typename Repair>
void runRounds(benchmark::State& state, int levels, int width, Repair repair) {
    Hierarchy hierarchy(levels, width);
    vrn::bench::rolledBackRounds(state, repair, [&] {
        // Every activity of the hierarchy, the default parent and the root.
        if (hierarchy.holding() != hierarchy.entities_ + 2) {
            state.SkipWithError("the attribute did not reach every activity");
        }
    });
    state.counters["activities"] = hierarchy.entities_;
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void cleanDB(benchmark::State& state) {
    std::int32_t ok = 0;
    std::int32_t corrected = 0;
    kt::KTDB().CleanDB(4, ok, corrected);
    state.counters["OK_Count"] = ok;
}

// The floor: each reachable activity once, its attributes read, its specializations listed and
// the missing attribute inserted, one plain statement at a time.
void plainWalk() {
    auto& database = kt::global_db().database();
    std::int32_t nextKey = kt::NewAttributeID();
    std::unordered_set<std::int32_t> seen{kActivityRoot};
    std::vector<std::int32_t> pending{kActivityRoot};
    while (!pending.empty()) {
        const std::int32_t key = pending.back();
        pending.pop_back();
        bool holds = false;
        for (auto rows = database.snapshot(
                 "SELECT atri_name FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0",
                 key);
             !rows.eof(); rows.moveNext()) {
            holds = holds || rows["atri_name"].asText() == "Colour";
        }
        if (!holds) {
            database.execute(
                "INSERT INTO Attributes VALUES (?, 'Colour', 1, 'Unspecified', 'green', ?, 0, -1, "
                "0, '-', -1, -1, 1, 2)",
                nextKey++, key);
        }
        for (auto rows = database.snapshot(
                 "SELECT spec_child_ent_id FROM Specialization WHERE spec_parent_ent_id = ? AND "
                 "spec_deleted = 0 AND spec_type = 2",
                 key);
             !rows.eof(); rows.moveNext()) {
            const std::int32_t child = rows["spec_child_ent_id"].asLong();
            if (seen.insert(child).second) {
                pending.push_back(child);
            }
        }
    }
}

void CleanDB4OnALadderOf24Levels(benchmark::State& state) {
    runRounds(state, kLadderLevels, kLadderWidth, [&] { cleanDB(state); });
}
void FloorOnALadderOf24Levels(benchmark::State& state) {
    runRounds(state, kLadderLevels, kLadderWidth, plainWalk);
}
void CleanDB4OnAChainOf6000Levels(benchmark::State& state) {
    runRounds(state, kChainLevels, 1, [&] { cleanDB(state); });
}
void FloorOnAChainOf6000Levels(benchmark::State& state) {
    runRounds(state, kChainLevels, 1, plainWalk);
}

BENCHMARK(CleanDB4OnALadderOf24Levels)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorOnALadderOf24Levels)->Unit(benchmark::kMillisecond);
BENCHMARK(CleanDB4OnAChainOf6000Levels)->Unit(benchmark::kMillisecond);
BENCHMARK(FloorOnAChainOf6000Levels)->Unit(benchmark::kMillisecond);

}  // namespace
