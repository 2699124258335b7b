// Taking one child out of a decomposition of 100 children with 200 connectors between their
// ports, repeated in 10 specializations that inherited the decomposition: the slot goes
// everywhere, and so do the connectors that run through it. Replacing the child in its slot,
// and an edit of the child in the context of a specialization (the child and its ports are
// specialized for that context, with the connectors around them), are measured on the same
// tree. Goal: under 100 ms each.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/rolled_back_rounds.h"
#include "bench/support/scratch_database_path.h"
#include "server/attributes/obj_relation.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/recordset.h"
#include "server/database/transaction.h"
#include "server/entities/context_arguments.h"
#include "server/entities/entity.h"
#include "server/entities/generic.h"
#include "server/entities/obj_relations.h"

namespace {

constexpr int kChildren = 100;
constexpr int kSpecializations = 10;

using kt::EntityType;

kt::generic workerOf(std::int32_t key) {
    kt::generic worker;
    worker.Init(key);
    return worker;
}

std::shared_ptr<kt::Entity> entityOf(std::int32_t key) {
    auto entity = std::make_shared<kt::Entity>();
    entity->LoadFromID(kt::EntityID(key));
    return entity;
}

class EditingCatalogue {
public:
    EditingCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        kt::Database& database = kt::global_db().database();
        kt::Transaction writing(database);
        const auto entity = [&](const std::string& name, EntityType type) {
            kt::NewEntity row;
            row.name = name;
            row.contact = "bench";
            row.type = type;
            return kt::insertEntity(database, row);
        };
        line_ = entity("Line", EntityType::Activity);
        for (int i = 0; i < kSpecializations; ++i) {
            variant_ = entity("Line variant", EntityType::Activity);
            database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, 2, ?)",
                             kt::NewSpecID(), line_, variant_, i);
        }
        kt::generic line = workerOf(line_);
        struct Child {
            std::int32_t key;
            std::shared_ptr<kt::ObjRelation> slot, in, out;
        };
        std::vector<Child> children;
        for (int i = 0; i < kChildren; ++i) {
            Child child;
            child.key = entity("Station " + std::to_string(i), EntityType::Activity);
            kt::generic station = workerOf(child.key);
            child.in =
                station.AddDecomposition(workerOf(entity("In", EntityType::Port)), 0, 0, "", "");
            child.out =
                station.AddDecomposition(workerOf(entity("Out", EntityType::Port)), 0, 0, "", "");
            child.slot = line.AddDecomposition(station, 0, 0, "", "");
            children.push_back(child);
        }
        // Each station's Out feeds the next two stations' In.
        for (int i = 0; i < kChildren; ++i) {
            for (int step = 1; step <= 2; ++step) {
                const Child& from = children[static_cast<std::size_t>(i)];
                const Child& to = children[static_cast<std::size_t>((i + step) % kChildren)];
                kt::ObjRelations start, end;
                start.AddItem(from.out);
                start.AddItem(from.slot);
                end.AddItem(to.in);
                end.AddItem(to.slot);
                line.CreateHorizontalConnector(*entityOf(kt::KeyOfID(from.out->EndID())),
                                               *entityOf(kt::KeyOfID(to.in->EndID())), start, end,
                                               0, "", "");
            }
        }
        middle_ = children[kChildren / 2].key;
        middleSlot_ = children[kChildren / 2].slot;
        replacement_ = entity("Station replacement", EntityType::Activity);
        newPort_ = entity("Sensor", EntityType::Port);
        // The variant's inherited copy of the middle station's slot.
        kt::Recordset copy = kt::global_db().CreateSnapshot(
            "SELECT rel_id FROM Relation WHERE rel_start_ent_id = ? AND rel_slot_id = ? AND "
            "rel_deleted = 0",
            variant_, middleSlot_->SlotID());
        middleInVariant_.AddByID(kt::RelationID(copy["rel_id"].asLong()));
        writing.commit();
    }
    ~EditingCatalogue() { kt::reset_global_db(); }

    static EditingCatalogue& shared() {
        static EditingCatalogue catalogue;
        return catalogue;
    }

    std::int32_t line_ = 0;
    std::int32_t middle_ = 0;
    std::int32_t replacement_ = 0;
    std::int32_t variant_ = 0;
    std::int32_t newPort_ = 0;
    std::shared_ptr<kt::ObjRelation> middleSlot_;
    kt::ObjRelations middleInVariant_;

private:
    vrn::bench::ScratchDatabasePath file_{"kt_decomposition_editing_bench"};
};

// Runs `edit` once per round; each round is rolled back before the next.
template <typename Edit>
void measure(benchmark::State& state, Edit edit) {
    vrn::bench::rolledBackRounds(state, edit);
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void RemoveAChildWithItsConnectors(benchmark::State& state) {
    auto& catalogue = EditingCatalogue::shared();
    measure(state, [&] {
        if (!entityOf(catalogue.middle_)
                 ->RemoveFromDecomp(*entityOf(catalogue.line_), catalogue.middleSlot_->SlotID(), "",
                                    false)) {
            state.SkipWithError("nothing removed");
        }
    });
}

void ReplaceAChildInItsSlot(benchmark::State& state) {
    auto& catalogue = EditingCatalogue::shared();
    kt::ObjRelations noContext;
    kt::ChangeArray changes;
    bool changed = false;
    measure(state, [&] {
        entityOf(catalogue.line_)
            ->ReplaceInDecomp(catalogue.middleSlot_->ID(), *entityOf(catalogue.middle_),
                              *entityOf(catalogue.replacement_), noContext, changes, changed, "",
                              "");
    });
}

void EditAChildInTheContextOfASpecialization(benchmark::State& state) {
    auto& catalogue = EditingCatalogue::shared();
    kt::ChangeArray changes;
    bool changed = false;
    measure(state, [&] {
        entityOf(catalogue.middle_)
            ->AddDecomp(*entityOf(catalogue.newPort_), catalogue.middleInVariant_, changes, changed,
                        "", "");
        if (!changed) {
            state.SkipWithError("nothing specialized");
        }
    });
    state.counters["changes"] = static_cast<double>(changes.Columns());
}

BENCHMARK(RemoveAChildWithItsConnectors)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAChildInItsSlot)->Unit(benchmark::kMillisecond);
BENCHMARK(EditAChildInTheContextOfASpecialization)->Unit(benchmark::kMillisecond);

}  // namespace
