// New specializations.
//
// One new specialization of an activity that holds 50 attributes and 100 relations (each with
// one relation attribute), in a catalogue of 100,000 entities and 100,000 relations: the new
// activity joins the default bundle, receives every attribute and relation with their relation
// attributes, and gets a bundle of its own. Goal: at most 4 times its floor.
//
// 2,000 new specializations of one part (four attributes, one of each copied behaviour, and two
// relations with a relation attribute each) in one transaction, in a catalogue of 100,000
// entities: the CPU time per specialization. The figures come from fresh runs of this program
// that build the catalogue through the library and then specialize: with the C library's
// allocator as it is, and with its heap trimming turned off (MALLOC_TRIM_THRESHOLD_, which it
// reads when a process starts). Memory that the library's statements hand back to the system
// and take again shows as the difference. Goal: at most 1.5 times the run without heap
// trimming.
//
// Each runs beside its floor, the same rows read and written with plain prepared statements,
// one row at a time.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "bench/support/cpu_time.h"
#include "bench/support/peak_memory.h"
#include "bench/support/scratch_database_path.h"
#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/catalogue/catalogue_queries.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "tests/support/child_process.h"

namespace {

constexpr int kCatalogueEntities = 100000;
constexpr int kBackgroundRelations = 100000;
constexpr int kAttributes = 50;
constexpr int kRelations = 100;
constexpr std::int16_t kCopiedByValue = 2;
// The part's attributes: one of each behaviour that a specialization receives.
constexpr std::int16_t kPartBehaviours[] = {2, 3, 4, 5};
constexpr int kPartRelations = 2;
constexpr int kBulkSpecializations = 2000;
constexpr int kBulkRounds = 5;
// Far above any heap this program grows, so the C library never hands memory back.
constexpr std::string_view kNoHeapTrimming = "MALLOC_TRIM_THRESHOLD_=1000000000000";
// The C library's allocator settings, which the runs take only as the benchmark gives them.
const std::vector<std::string> kAllocatorSettings{"MALLOC_TRIM_THRESHOLD_", "MALLOC_TOP_PAD_",
                                                  "MALLOC_MMAP_THRESHOLD_", "MALLOC_MMAP_MAX_",
                                                  "GLIBC_TUNABLES"};
// The switch that makes this program run bulk rounds of one kind and print their figures.
constexpr std::string_view kBulkRoundsSwitch = "--bulk-rounds=";
constexpr std::string_view kLibraryRounds = "library";
constexpr std::string_view kFloorRounds = "floor";
// A fresh run that has not ended by then is stuck.
constexpr std::chrono::minutes kLongestFreshRun(10);

// A new entity of the default type, named `name`: its key.
std::int32_t benchEntity(kt::Database& database, const std::string& name) {
    kt::NewEntity row;
    row.name = name;
    row.contact = "bench";
    return kt::insertEntity(database, row);
}

// A decomposition of `owner` to `end` with one relation attribute.
void addRelation(kt::generic& owner, std::int32_t end) {
    kt::generic child;
    child.Init(end);
    const auto relation = owner.AddDecomposition(child, 0, 0, "", "");
    relation->AddNewAttribute("Weight", kt::Value(std::string("1")), std::nullopt, kCopiedByValue);
}

class SpecializationCatalogue {
public:
    SpecializationCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Database& database = kt::global_db().database();
        {
            kt::Transaction writing(database);
            for (int made = 0; made < kCatalogueEntities; ++made) {
                background_.push_back(benchEntity(database, "Entity " + std::to_string(made)));
            }
            kt::NewRelation row;
            row.contact = "bench";
            row.name = "bench relation";
            row.type = 1;
            kt::ObjRelation relation;
            for (int i = 0; i < kBackgroundRelations; ++i) {
                const auto at = static_cast<std::size_t>(i) % background_.size();
                row.key = kt::NewRelationID();
                row.inheritedFromKey = row.key;
                row.startKey = background_[at];
                row.contextKey = row.startKey;
                row.endKey = background_[(at * 7 + 1) % background_.size()];
                row.slotId = kt::NewSlotID();
                relation.InsertNew(row);
            }
            writing.commit();
        }
        plan_ = kt::GetEntity(0)->AddNewSpecialization("Plan", "bench")->GetGeneric()->ID();
        kt::Transaction writing(database);
        auto plan = std::make_shared<kt::generic>();
        plan->Init(plan_);
        for (int i = 0; i < kAttributes; ++i) {
            plan->AddNewAttribute("Attribute " + std::to_string(i), kCopiedByValue,
                                  kt::Value(std::string("value")));
        }
        for (int i = 0; i < kRelations; ++i) {
            addRelation(*plan, background_[static_cast<std::size_t>(i) * 997]);
        }
        writing.commit();
    }
    ~SpecializationCatalogue() { kt::reset_global_db(); }

    static SpecializationCatalogue& shared() {
        static SpecializationCatalogue catalogue;
        return catalogue;
    }

    std::int32_t plan_ = 0;

private:
    std::vector<std::int32_t> background_;
    vrn::bench::ScratchDatabasePath file_{"kt_specialization_bench"};
};

// The floors' rows, each written by a prepared statement.

std::int32_t plainEntity(kt::Database& database, const std::string& name, kt::EntityType type,
                         const std::string& stamp) {
    const std::int32_t key = kt::NewEntityID();
    database.execute(
        "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, ent_last_modified, "
        "ent_deleted, ent_type, ent_unique_id) VALUES (?, ?, 'bench', 0, ?, 0, ?, ?)",
        key, name, stamp, type, "uid" + std::to_string(key));
    return key;
}

void plainLink(kt::Database& database, std::int32_t parent, std::int32_t child, std::int16_t type,
               const std::string& stamp) {
    database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, 0)", kt::NewSpecID(),
                     parent, child, type);
    database.execute(
        "UPDATE Entity SET ent_cache_spec_count = ent_cache_spec_count + 1, "
        "ent_last_modified = ? WHERE ent_id = ?",
        stamp, parent);
}

// The copies of the attributes, relations and relation attributes of `parent` in `variant`.
void plainCopies(kt::Database& database, std::int32_t parent, std::int32_t variant) {
    std::int32_t attributeKey = kt::NewAttributeID();
    kt::Recordset attributes = database.snapshot(
        "SELECT * FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 ORDER BY atri_id",
        parent);
    for (; !attributes.eof(); attributes.moveNext()) {
        database.execute(
            "INSERT INTO Attributes VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
            attributeKey++, attributes["atri_name"].value(), attributes["atri_data_type"].value(),
            attributes["atri_value"].value(), variant, attributes["atri_id"].value(),
            attributes["atri_default_value"].value(), attributes["atri_inherit_behavior"].value());
    }
    std::int32_t relationKey = kt::NewRelationID();
    std::unordered_map<std::int32_t, std::int32_t> copyOf;
    kt::Recordset relations = database.snapshot(
        "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
        parent);
    for (; !relations.eof(); relations.moveNext()) {
        const std::int32_t copy = relationKey++;
        copyOf[relations["rel_id"].asLong()] = copy;
        database.execute(
            "INSERT INTO Relation (rel_id, rel_contact, rel_start_ent_id, rel_end_ent_id, "
            "rel_inherit, rel_inherit_from_rel_id, rel_deleted, rel_inherit_by_copy, "
            "rel_Type, rel_name, rel_inherit_from_parent, rel_context_ent_id, "
            "rel_suppressed, rel_slot_id, rel_slot_name, rel_context_path, "
            "rel_display_order, rel_end_ent_type, rel_imb_context_ent_id, rel_unique_id, "
            "rel_slot_unique_id) VALUES (?, 'bench', ?, ?, 1, ?, 0, 0, ?, ?, 0, ?, 0, ?, ?, "
            "?, ?, ?, 0, ?, ?)",
            copy, variant, relations["rel_end_ent_id"].value(), relations["rel_id"].value(),
            relations["rel_Type"].value(), relations["rel_name"].value(), variant,
            relations["rel_slot_id"].value(), relations["rel_slot_name"].value(),
            relations["rel_context_path"].value(), relations["rel_display_order"].value(),
            relations["rel_end_ent_type"].value(), "uid" + std::to_string(copy),
            relations["rel_slot_unique_id"].value());
    }
    std::int32_t relationAttributeKey = kt::NewRelAttributeID();
    kt::Recordset relationAttributes = database.snapshot(
        "SELECT r.rel_id AS source, a.* FROM Relation AS r JOIN RelationAttributes AS a ON "
        "a.atri_ent_ref = r.rel_id * 100 + 80 WHERE r.rel_start_ent_id = ? AND "
        "r.rel_deleted = 0 AND a.atri_deleted = 0 ORDER BY r.rel_id, a.atri_id",
        parent);
    for (; !relationAttributes.eof(); relationAttributes.moveNext()) {
        database.execute(
            "INSERT INTO RelationAttributes VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, "
            "?)",
            relationAttributeKey++, relationAttributes["atri_name"].value(),
            relationAttributes["atri_data_type"].value(), relationAttributes["atri_value"].value(),
            kt::RelationID(copyOf.at(relationAttributes["source"].asLong())),
            relationAttributes["atri_inherit_from_atri_id"].value(),
            relationAttributes["atri_default_value"].value(),
            relationAttributes["atri_inherit_behavior"].value());
    }
}

void NewSpecializationOfARichActivity(benchmark::State& state) {
    auto& catalogue = SpecializationCatalogue::shared();
    // Each round is rolled back before the next, so that every round specializes the same
    // activity.
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(kt::global_db().database());
        kt::Entity plan;
        plan.LoadFromID(kt::EntityID(catalogue.plan_));
        const std::int32_t before = kt::NewRelationID();
        state.ResumeTiming();
        plan.AddNewSpecialization("Variant", "bench");
        state.PauseTiming();
        if (kt::NewRelationID() - before != kRelations) {
            state.SkipWithError("wrong number of relation copies");
        }
        state.ResumeTiming();
    }
    round.reset();
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

// The floor: the entity, its links and counts, the copies of the attributes, relations and
// relation attributes, and its own bundle.
void NewSpecializationOfARichActivity_Floor(benchmark::State& state) {
    auto& catalogue = SpecializationCatalogue::shared();
    kt::Database& database = kt::global_db().database();
    const std::int32_t bundle =
        kt::Field("bundle", database
                                .scalar("SELECT spec_child_ent_id FROM Specialization WHERE "
                                        "spec_parent_ent_id = ? AND spec_type = 1",
                                        catalogue.plan_)
                                .value())
            .asLong();
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(database);
        const std::int32_t before = kt::NewRelationID();
        state.ResumeTiming();
        const std::string stamp = kt::TimeStamp::now().lastModified();
        const std::int32_t variant =
            plainEntity(database, "Variant", kt::EntityType::Activity, stamp);
        plainLink(database, bundle, variant, kt::direct_specialization, stamp);
        plainLink(database, catalogue.plan_, variant, kt::cache_specialization, stamp);
        plainCopies(database, catalogue.plan_, variant);
        const std::int32_t ownBundle =
            plainEntity(database, "Default Variant", kt::EntityType::Bundle, stamp);
        plainLink(database, variant, ownBundle, kt::direct_specialization, stamp);
        state.PauseTiming();
        if (kt::NewRelationID() - before != kRelations) {
            state.SkipWithError("wrong number of relation copies");
        }
        state.ResumeTiming();
    }
    round.reset();
}

BENCHMARK(NewSpecializationOfARichActivity)->Unit(benchmark::kMillisecond);
BENCHMARK(NewSpecializationOfARichActivity_Floor)->Unit(benchmark::kMillisecond);

// The bulk's catalogue, built through the library in the run that measures it: 100,000
// entities and the part.
class BulkCatalogue {
public:
    BulkCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Database& database = kt::global_db().database();
        kt::Transaction writing(database);
        // Keys only as they come: a list of them all would be a block the C library maps
        // apart, and giving one back raises its trimming threshold for the rest of the run.
        std::int32_t end = 0;
        for (int made = 0; made < kCatalogueEntities; ++made) {
            const std::int32_t key = benchEntity(database, "Entity " + std::to_string(made));
            end = made == kCatalogueEntities / 2 ? key : end;
        }
        part_ = benchEntity(database, "Part");
        kt::generic part;
        part.Init(part_);
        for (const std::int16_t behaviour : kPartBehaviours) {
            part.AddNewAttribute("Behaviour " + std::to_string(behaviour), behaviour,
                                 kt::Value(std::string("value")));
        }
        for (int i = 0; i < kPartRelations; ++i) {
            addRelation(part, end + i);
        }
        writing.commit();
    }
    ~BulkCatalogue() { kt::reset_global_db(); }
    BulkCatalogue(const BulkCatalogue&) = delete;
    BulkCatalogue& operator=(const BulkCatalogue&) = delete;

    // One transaction of the bulk, rolled back at its end: the CPU seconds per new
    // specialization.
    double round(std::string_view kind) const {
        kt::Database& database = kt::global_db().database();
        kt::Transaction round(database);
        kt::Entity part;
        part.LoadFromID(kt::EntityID(part_));
        const std::int32_t before = kt::NewRelationID();
        const double seconds = vrn::bench::CpuSecondsOf([&] {
            for (int i = 0; i < kBulkSpecializations; ++i) {
                const std::string name = "Variant " + std::to_string(i);
                if (kind == kLibraryRounds) {
                    part.AddNewSpecialization(name, "bench");
                    continue;
                }
                const std::string stamp = kt::TimeStamp::now().lastModified();
                const std::int32_t variant =
                    plainEntity(database, name, kt::EntityType::Thing, stamp);
                plainLink(database, part_, variant, kt::direct_specialization, stamp);
                plainCopies(database, part_, variant);
            }
        });
        if (kt::NewRelationID() - before != kBulkSpecializations * kPartRelations) {
            throw std::runtime_error("wrong number of relation copies");
        }
        return seconds / kBulkSpecializations;
    }

private:
    vrn::bench::ScratchDatabasePath file_{"kt_bulk_specialization_bench"};
    std::int32_t part_ = 0;
};

// What a fresh run of this program measured, round by round, with the allocator's defaults and
// `settings`. The run gets this program's environment without the allocator's settings and with
// `settings` added: settings that the C library reads when a process starts so reach the run
// without touching this process.
std::vector<double> bulkRoundsOfFreshRun(std::string_view kind,
                                         const std::vector<std::string>& settings) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    vrn::testing::ChildProcess run(
        {program, std::string(kBulkRoundsSwitch) + std::string(kind)},
        {.captureOutput = true, .settings = settings, .dropped = kAllocatorSettings});
    std::istringstream output(run.readAll(kLongestFreshRun));
    if (run.wait().exitStatus != 0) {
        throw std::runtime_error("the run of " + program + " failed");
    }
    std::vector<double> seconds;
    for (double figure = 0; output >> figure;) {
        seconds.push_back(figure);
    }
    if (seconds.size() != kBulkRounds) {
        throw std::runtime_error("the run measured " + std::to_string(seconds.size()) +
                                 " rounds instead of " + std::to_string(kBulkRounds));
    }
    return seconds;
}

constexpr double kMicroseconds = 1e6;

// Adds the rounds of a fresh run to `all`; the median of that run's rounds.
double addFreshRun(vrn::bench::CpuTimes& all, std::string_view kind,
                   const std::vector<std::string>& settings) {
    vrn::bench::CpuTimes run;
    for (const double seconds : bulkRoundsOfFreshRun(kind, settings)) {
        all.Add(seconds);
        run.Add(seconds);
    }
    return run.Median();
}

// Each iteration's time is what `runs` returns; a run that fails skips the benchmark (false).
template <class Runs>
bool timeFreshRuns(benchmark::State& state, Runs runs) {
    for (auto _ : state) {
        try {
            state.SetIterationTime(runs());
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
            return false;
        }
    }
    return true;
}

// Each iteration runs the program fresh twice, with and without heap trimming, and takes the
// median of each run's rounds as its time. The counters give the medians of all rounds, in
// CPU time per new specialization, and their ratio.
void TwoThousandNewSpecializationsInOneTransaction(benchmark::State& state) {
    vrn::bench::CpuTimes trimmed;
    vrn::bench::CpuTimes untrimmed;
    const bool ran = timeFreshRuns(state, [&] {
        const double median = addFreshRun(trimmed, kLibraryRounds, {});
        addFreshRun(untrimmed, kLibraryRounds, {std::string(kNoHeapTrimming)});
        return median;
    });
    if (ran) {
        state.counters["us_each"] = trimmed.Median() * kMicroseconds;
        state.counters["untrimmed_us_each"] = untrimmed.Median() * kMicroseconds;
        state.counters["x_untrimmed"] = trimmed.Median() / untrimmed.Median();
    }
}

void TwoThousandNewSpecializationsInOneTransaction_Floor(benchmark::State& state) {
    vrn::bench::CpuTimes floor;
    if (timeFreshRuns(state, [&] { return addFreshRun(floor, kFloorRounds, {}); })) {
        state.counters["us_each"] = floor.Median() * kMicroseconds;
    }
}

BENCHMARK(TwoThousandNewSpecializationsInOneTransaction)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3);
BENCHMARK(TwoThousandNewSpecializationsInOneTransaction_Floor)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(3);

// Run with the bulk switch: the rounds of one kind, one figure a line, and nothing else.
int printBulkRounds(std::string_view kind) {
    try {
        const BulkCatalogue catalogue;
        for (int round = 0; round < kBulkRounds; ++round) {
            std::printf("%.9f\n", catalogue.round(kind));
        }
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]).starts_with(kBulkRoundsSwitch)) {
        return printBulkRounds(std::string_view(argv[1]).substr(kBulkRoundsSwitch.size()));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
