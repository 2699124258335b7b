// Relation lists and the walks over relations on a catalogue of 100,000 relations: one list of
// an entity with 1,000 relations (goal: a few milliseconds), the port walk through 500 nested
// ports, the specializations of an entity with 1,000 of them, and the removal of a relation
// and the push of a relation attribute's value through 1,000 specializations (goal: well under
// a second each).
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
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/entities.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace {

constexpr int kBackgroundEntities = 20000;
constexpr int kBackgroundRelations = 90000;
constexpr int kChildren = 1000;
constexpr int kNestedPorts = 500;
constexpr int kSpecializations = 1000;

using kt::EntityType;
using kt::RelationType;

// Writes the catalogue's content through its own insert paths, in one transaction.
class Writer {
public:
    std::int32_t entity(const std::string& name, EntityType type) {
        kt::NewEntity row;
        row.name = name;
        row.contact = "bench";
        row.type = type;
        return kt::insertEntity(kt::global_db().database(), row);
    }
    std::int32_t relation(RelationType type, std::int32_t start, std::int32_t end,
                          std::int32_t context, std::int32_t slot, bool inherited = false,
                          std::int32_t origin = 0) {
        kt::NewRelation row;
        row.key = nextRelation_++;
        row.contact = "bench";
        row.startKey = start;
        row.endKey = end;
        row.inherited = inherited;
        row.inheritedFromKey = inherited ? origin : row.key;
        row.type = static_cast<std::int16_t>(type);
        row.name = "bench relation";
        row.contextKey = context;
        row.slotId = slot;
        row.endEntityType = 0;
        kt::ObjRelation().InsertNew(row);
        return row.key;
    }
    void specialize(std::int32_t parent, std::int32_t child, std::int32_t order) {
        kt::global_db().Execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, 1, ?)",
                                kt::NewSpecID(), parent, child, order);
    }
    std::int32_t slot() { return nextSlot_++; }

private:
    std::int32_t nextRelation_ = kt::NewRelationID();
    std::int32_t nextSlot_ = kt::NewSlotID();
};

class RelationCatalogue {
public:
    RelationCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Transaction writing(kt::global_db().database());
        Writer write;
        std::vector<std::int32_t> background;
        for (int i = 0; i < kBackgroundEntities; ++i) {
            background.push_back(write.entity("Entity " + std::to_string(i), EntityType::Activity));
        }
        for (int i = 0; i < kBackgroundRelations; ++i) {
            const auto start = background[static_cast<std::size_t>(i % kBackgroundEntities)];
            const auto end =
                background[static_cast<std::size_t>((i * 7 + 1) % kBackgroundEntities)];
            write.relation(RelationType::Decomposition, start, end, start, write.slot());
        }

        plant_ = write.entity("Plant", EntityType::Activity);
        std::vector<std::int32_t> children;
        for (int i = 0; i < kChildren; ++i) {
            children.push_back(write.entity("Part " + std::to_string(i),
                                            i % 10 == 0 ? EntityType::Port : EntityType::Activity));
            write.relation(RelationType::Decomposition, plant_, children.back(), plant_,
                           write.slot());
        }
        for (int i = 0; i + 1 < kChildren; ++i) {
            write.relation(RelationType::Connector, children[static_cast<std::size_t>(i)],
                           children[static_cast<std::size_t>(i + 1)], plant_, write.slot());
        }
        std::int32_t port = children.front();
        for (int i = 0; i < kNestedPorts; ++i) {
            for (int leaf = 0; leaf < 4; ++leaf) {
                const auto child = write.entity("Leaf", EntityType::Thing);
                write.relation(RelationType::Decomposition, port, child, port, write.slot());
            }
            const auto inner = write.entity("Port " + std::to_string(i), EntityType::Port);
            write.relation(RelationType::Decomposition, port, inner, port, write.slot());
            port = inner;
        }

        // A specialization tree, three children to a node, each node with its repetition of
        // one exception relation.
        family_ = write.entity("Family", EntityType::Thing);
        const auto jam = write.entity("Jam", EntityType::ExceptionGroup);
        const std::int32_t slot = write.slot();
        exception_ = write.relation(RelationType::HasException, family_, jam, family_, slot);
        std::vector<std::int32_t> nodes{family_};
        for (std::size_t next = 0; nodes.size() <= kSpecializations; ++next) {
            for (int child = 0; child < 3 && nodes.size() <= kSpecializations; ++child) {
                const auto node = write.entity("Member", EntityType::Thing);
                write.specialize(nodes[next], node, child);
                write.relation(RelationType::HasException, node, jam, node, slot, true, exception_);
                nodes.push_back(node);
            }
        }
        kinds_ = write.entity("Kinds", EntityType::Thing);
        for (int i = 0; i < kSpecializations; ++i) {
            write.specialize(kinds_, write.entity("Kind", EntityType::Thing), kSpecializations - i);
        }
        writing.commit();

        auto exception = std::make_shared<kt::ObjRelation>();
        exception->LoadFromID(kt::RelationID(exception_));
        exception->AddNewAttribute("Severity", kt::Value(std::string("low")));
    }
    ~RelationCatalogue() { kt::reset_global_db(); }

    static RelationCatalogue& shared() {
        static RelationCatalogue catalogue;
        return catalogue;
    }

    kt::generic worker(std::int32_t key) const {
        kt::generic loaded;
        loaded.Init(key);
        return loaded;
    }

    std::int32_t plant_ = 0;
    std::int32_t family_ = 0;
    std::int32_t exception_ = 0;
    std::int32_t kinds_ = 0;

private:
    vrn::bench::ScratchDatabasePath file_{"kt_relation_bench"};
};

void GetDecompositionOf1000Children(benchmark::State& state) {
    const auto plant = RelationCatalogue::shared().worker(RelationCatalogue::shared().plant_);
    for (auto _ : state) {
        auto list = plant.GetDecomposition();
        if (list->size() != 2 * kChildren - 1) {
            state.SkipWithError("wrong count");
        }
        benchmark::DoNotOptimize(list);
    }
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void GetRelationsAtEitherEnd(benchmark::State& state) {
    const auto plant = RelationCatalogue::shared().worker(RelationCatalogue::shared().plant_);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plant.GetRelations(0, 0));
    }
}

void GetDecRelsOfPortsTooThrough500Ports(benchmark::State& state) {
    const auto plant = RelationCatalogue::shared().worker(RelationCatalogue::shared().plant_);
    for (auto _ : state) {
        benchmark::DoNotOptimize(plant.GetDecRelsOfPortsToo());
    }
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void GetSpecializationsOf1000(benchmark::State& state) {
    kt::Entity kinds;
    kinds.LoadFromID(kt::EntityID(RelationCatalogue::shared().kinds_));
    for (auto _ : state) {
        auto list = kinds.GetSpecializations();
        if (list->size() != kSpecializations) {
            state.SkipWithError("wrong count");
        }
        benchmark::DoNotOptimize(list);
    }
}

void DeleteThrough1000Specializations(benchmark::State& state) {
    auto& catalogue = RelationCatalogue::shared();
    // Each round is rolled back before the next, so that every round deletes the same rows.
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(kt::global_db().database());
        kt::ObjRelation relation;
        relation.LoadFromID(kt::RelationID(catalogue.exception_));
        state.ResumeTiming();
        relation.Delete();
    }
    round.reset();
}

void SetAttributeValueThrough1000Specializations(benchmark::State& state) {
    auto relation = std::make_shared<kt::ObjRelation>();
    relation->LoadFromID(kt::RelationID(RelationCatalogue::shared().exception_));
    bool high = true;
    for (auto _ : state) {
        relation->SetAttributeValue("Severity", kt::Value(std::string(high ? "high" : "low")));
        high = !high;
    }
}

BENCHMARK(GetDecompositionOf1000Children)->Unit(benchmark::kMillisecond);
BENCHMARK(GetRelationsAtEitherEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(GetDecRelsOfPortsTooThrough500Ports)->Unit(benchmark::kMillisecond);
BENCHMARK(GetSpecializationsOf1000)->Unit(benchmark::kMillisecond);
BENCHMARK(DeleteThrough1000Specializations)->Unit(benchmark::kMillisecond);
BENCHMARK(SetAttributeValueThrough1000Specializations)->Unit(benchmark::kMillisecond);

}  // namespace
