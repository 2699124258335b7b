// A new specialization of an activity that holds 50 attributes and 100 relations (each with
// one relation attribute), in a catalogue of 100,000 entities and 100,000 relations. The new
// activity joins the default bundle, receives every attribute and relation with their
// relation attributes, and gets a bundle of its own. Goal: under 20 ms.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

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
#include "server/database/transaction.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"

namespace {

constexpr int kCatalogueEntities = 100000;
constexpr int kBackgroundRelations = 100000;
constexpr int kAttributes = 50;
constexpr int kRelations = 100;
constexpr std::int16_t kCopiedByValue = 2;

class SpecializationCatalogue {
public:
    SpecializationCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Database& database = kt::global_db().database();
        {
            kt::Transaction writing(database);
            for (int made = 0; made < kCatalogueEntities; ++made) {
                kt::NewEntity row;
                row.name = "Entity " + std::to_string(made);
                row.contact = "bench";
                background_.push_back(kt::insertEntity(database, row));
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
            kt::generic child;
            child.Init(background_[static_cast<std::size_t>(i) * 997]);
            const auto relation = plan->AddDecomposition(child, 0, 0, "", "");
            relation->AddNewAttribute("Weight", kt::Value(std::string("1")), std::nullopt,
                                      kCopiedByValue);
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

BENCHMARK(NewSpecializationOfARichActivity)->Unit(benchmark::kMillisecond);

}  // namespace
