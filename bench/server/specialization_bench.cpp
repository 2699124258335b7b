// A new specialization of an activity that holds 50 attributes and 100 relations (each with
// one relation attribute), in a catalogue of 100,000 entities and 100,000 relations. The new
// activity joins the default bundle, receives every attribute and relation with their
// relation attributes, and gets a bundle of its own. It runs beside its floor, the same rows
// read and written with plain prepared statements, one row at a time. Goal: at most 4 times
// the floor.
#include <benchmark/benchmark.h>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
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
#include "server/database/time_stamp.h"
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

// The floor: the entity, its links and counts, the copies of the attributes, relations and
// relation attributes, and its own bundle, each row read and written by a prepared statement.
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
        const auto newEntity = [&](const std::string& name, kt::EntityType type) {
            const std::int32_t key = kt::NewEntityID();
            database.execute(
                "INSERT INTO Entity (ent_id, ent_name, ent_contact, ent_is_bundle, "
                "ent_last_modified, ent_deleted, ent_type, ent_unique_id) "
                "VALUES (?, ?, 'bench', 0, ?, 0, ?, ?)",
                key, name, stamp, type, "uid" + std::to_string(key));
            return key;
        };
        const auto link = [&](std::int32_t parent, std::int32_t child, std::int16_t type) {
            database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, ?, 0)",
                             kt::NewSpecID(), parent, child, type);
            database.execute(
                "UPDATE Entity SET ent_cache_spec_count = ent_cache_spec_count + 1, "
                "ent_last_modified = ? WHERE ent_id = ?",
                stamp, parent);
        };
        const std::int32_t variant = newEntity("Variant", kt::EntityType::Activity);
        link(bundle, variant, kt::direct_specialization);
        link(catalogue.plan_, variant, kt::cache_specialization);
        std::int32_t attributeKey = kt::NewAttributeID();
        kt::Recordset attributes = database.snapshot(
            "SELECT * FROM Attributes WHERE atri_ent_ref = ? AND atri_deleted = 0 ORDER BY atri_id",
            catalogue.plan_);
        for (; !attributes.eof(); attributes.moveNext()) {
            database.execute(
                "INSERT INTO Attributes VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, ?)",
                attributeKey++, attributes["atri_name"].value(),
                attributes["atri_data_type"].value(), attributes["atri_value"].value(), variant,
                attributes["atri_id"].value(), attributes["atri_default_value"].value(),
                attributes["atri_inherit_behavior"].value());
        }
        const std::int32_t firstRelation = kt::NewRelationID();
        std::int32_t relationKey = firstRelation;
        std::unordered_map<std::int32_t, std::int32_t> copyOf;
        kt::Recordset relations = database.snapshot(
            "SELECT * FROM Relation WHERE rel_start_ent_id = ? AND rel_deleted = 0 ORDER BY rel_id",
            catalogue.plan_);
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
            catalogue.plan_);
        for (; !relationAttributes.eof(); relationAttributes.moveNext()) {
            database.execute(
                "INSERT INTO RelationAttributes VALUES (?, ?, 1, ?, ?, ?, ?, -1, 0, ?, -1, -1, 1, "
                "?)",
                relationAttributeKey++, relationAttributes["atri_name"].value(),
                relationAttributes["atri_data_type"].value(),
                relationAttributes["atri_value"].value(),
                kt::RelationID(copyOf.at(relationAttributes["source"].asLong())),
                relationAttributes["atri_inherit_from_atri_id"].value(),
                relationAttributes["atri_default_value"].value(),
                relationAttributes["atri_inherit_behavior"].value());
        }
        const std::int32_t ownBundle = newEntity("Default Variant", kt::EntityType::Bundle);
        link(variant, ownBundle, kt::direct_specialization);
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

}  // namespace
