// Adding a decomposition child to an entity with 1,000 specializations over three levels (10,
// then 9 below each, then 10 below each of those), in a catalogue of 100,000 entities and
// 100,000 relations. Every specialization receives its copy and a new cached count. Goal:
// under 300 ms.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/scratch_database_path.h"
#include "server/attributes/new_relation.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"

namespace {

constexpr int kCatalogueEntities = 100000;
constexpr int kBackgroundRelations = 100000;
constexpr int kFirstLevel = 10;
constexpr int kSecondLevelEach = 9;
constexpr int kThirdLevelEach = 10;
constexpr int kSpecializations =
    kFirstLevel + kFirstLevel * kSecondLevelEach * (1 + kThirdLevelEach);

using kt::EntityType;

class CreationCatalogue {
public:
    CreationCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Database& database = kt::global_db().database();
        kt::Transaction writing(database);
        const auto entity = [&](const std::string& name) {
            kt::NewEntity row;
            row.name = name;
            row.contact = "bench";
            row.type = EntityType::Thing;
            return kt::insertEntity(database, row);
        };
        const auto specialize = [&](std::int32_t parent, std::int32_t child, int order) {
            database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, 1, ?)",
                             kt::NewSpecID(), parent, child, order);
        };

        assembly_ = entity("Assembly");
        part_ = entity("Part");
        int made = 2;
        for (int i = 0; i < kFirstLevel; ++i) {
            const auto first = entity("Assembly " + std::to_string(i));
            specialize(assembly_, first, i);
            for (int j = 0; j < kSecondLevelEach; ++j) {
                const auto second =
                    entity("Assembly " + std::to_string(i) + "." + std::to_string(j));
                specialize(first, second, j);
                for (int k = 0; k < kThirdLevelEach; ++k) {
                    specialize(second, entity("Leaf"), k);
                    ++made;
                }
                ++made;
            }
            ++made;
        }
        std::vector<std::int32_t> background;
        for (; made < kCatalogueEntities; ++made) {
            background.push_back(entity("Entity " + std::to_string(made)));
        }
        kt::NewRelation row;
        row.contact = "bench";
        row.name = "bench relation";
        row.type = 1;
        std::int32_t key = kt::NewRelationID();
        std::int32_t slot = kt::NewSlotID();
        kt::ObjRelation relation;
        for (int i = 0; i < kBackgroundRelations; ++i) {
            const auto at = static_cast<std::size_t>(i) % background.size();
            row.key = key++;
            row.inheritedFromKey = row.key;
            row.startKey = background[at];
            row.contextKey = row.startKey;
            row.endKey = background[(at * 7 + 1) % background.size()];
            row.slotId = slot++;
            relation.InsertNew(row);
        }
        writing.commit();
    }
    ~CreationCatalogue() { kt::reset_global_db(); }

    static CreationCatalogue& shared() {
        static CreationCatalogue catalogue;
        return catalogue;
    }

    std::int32_t assembly_ = 0;
    std::int32_t part_ = 0;

private:
    vrn::bench::ScratchDatabasePath file_{"kt_relation_creation_bench"};
};

void AddDecompositionThrough1000Specializations(benchmark::State& state) {
    auto& catalogue = CreationCatalogue::shared();
    kt::generic part;
    part.Init(catalogue.part_);
    // Each round is rolled back before the next, so that every round adds to the same tree.
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(kt::global_db().database());
        kt::generic assembly;
        assembly.Init(catalogue.assembly_);
        const std::int32_t before = kt::NewRelationID();
        state.ResumeTiming();
        assembly.AddDecomposition(part, 0, 0, "", "");
        state.PauseTiming();
        if (kt::NewRelationID() - before != kSpecializations + 1) {
            state.SkipWithError("wrong number of copies");
        }
        state.ResumeTiming();
    }
    round.reset();
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

BENCHMARK(AddDecompositionThrough1000Specializations)->Unit(benchmark::kMillisecond);

}  // namespace
