// Attribute changes carried down a specialization tree of 10,000 entities over four levels, on
// a catalogue of 100,000 entities with an attribute each: a new behaviour-2 attribute, and a
// value pushed to every copy. Each runs beside its floor, the same rows written with plain
// prepared statements, one row at a time, the keys known beforehand. Goals: a new attribute
// at most 3 times its floor, a pushed value at most 5 times.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/rolled_back_rounds.h"
#include "bench/support/scratch_database_path.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/time_stamp.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"

namespace {

constexpr int kEntities = 100000;
// 10 children of the top, 9 below each of them, then 10 and 10: 10,000 in all.
constexpr int kFanOut[] = {10, 9, 10, 10};
constexpr std::int16_t kPushedBehaviour = 2;

class AttributeCatalogue {
public:
    AttributeCatalogue() {
        kt::CreateCatalogue(file_.path());
        kt::global_db().OpenDB(file_.path().string());
        auto& database = kt::global_db().database();
        kt::Transaction writing(database);
        std::int32_t attributeKey = kt::NewAttributeID();
        int made = 0;
        const auto entity = [&](const std::string& name) {
            kt::NewEntity row;
            row.name = name;
            row.contact = "bench";
            row.type = kt::EntityType::Thing;
            const std::int32_t key = kt::insertEntity(database, row);
            database.execute(
                "INSERT INTO Attributes VALUES (?, 'Colour', 0, 'String', 'grey', ?, ?, -1, 0, "
                "'-', -1, -1, 1, 1)",
                attributeKey, key, attributeKey);
            ++attributeKey;
            ++made;
            return key;
        };
        std::int32_t specKey = kt::NewSpecID();
        top_ = entity("Top");
        std::vector<std::int32_t> level{top_};
        for (const int fanOut : kFanOut) {
            std::vector<std::int32_t> next;
            for (const std::int32_t parent : level) {
                for (int i = 0; i < fanOut; ++i) {
                    const std::int32_t child = entity("Member");
                    database.execute("INSERT INTO Specialization VALUES (?, ?, ?, 0, 1, ?)",
                                     specKey++, parent, child, i);
                    next.push_back(child);
                }
            }
            specializations_.insert(specializations_.end(), next.begin(), next.end());
            level = std::move(next);
        }
        while (made < kEntities) {
            entity("Background " + std::to_string(made));
        }
        writing.commit();
        worker()->AddNewAttribute("Size", kPushedBehaviour, kt::Value(std::string("10")));
        kt::Recordset sizes = database.snapshot(
            "SELECT atri_id FROM Attributes WHERE atri_name = 'Size' ORDER BY atri_id");
        for (; !sizes.eof(); sizes.moveNext()) {
            sizeKeys_.push_back(sizes["atri_id"].asLong());
        }
    }
    ~AttributeCatalogue() { kt::reset_global_db(); }

    static AttributeCatalogue& shared() {
        static AttributeCatalogue catalogue;
        return catalogue;
    }

    std::shared_ptr<kt::generic> worker() const {
        auto loaded = std::make_shared<kt::generic>();
        loaded->Init(top_);
        return loaded;
    }

    std::int32_t top_ = 0;
    std::vector<std::int32_t> specializations_;
    std::vector<std::int32_t> sizeKeys_;  // the top's "Size" first, then its copies

private:
    vrn::bench::ScratchDatabasePath file_{"kt_attribute_bench"};
};

// The rows that hold a value, the top's included.
std::size_t rowsHolding(const std::string& name, const std::string& value) {
    return static_cast<std::size_t>(
        kt::Field("count", kt::global_db()
                               .database()
                               .scalar("SELECT COUNT(*) FROM Attributes "
                                       "WHERE atri_name = ? AND "
                                       "atri_value = ?",
                                       name, value)
                               .value())
            .asLong());
}

// Runs `work` in rounds that are each rolled back before the next, so that every round writes
// the same rows, and checks after each that `name` holds `value` on the top and every
// specialization.
template <typename Work>
void roundsOf(benchmark::State& state, const std::string& name, const std::string& value,
              Work work) {
    auto& catalogue = AttributeCatalogue::shared();
    vrn::bench::rolledBackRounds(
        state, [&] { work(catalogue); },
        [&] {
            if (rowsHolding(name, value) != catalogue.specializations_.size() + 1) {
                state.SkipWithError("the change did not reach every specialization");
            }
        });
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void NewAttributeDown10000Specializations(benchmark::State& state) {
    roundsOf(state, "Weight", "3", [](const AttributeCatalogue& catalogue) {
        catalogue.worker()->AddNewAttribute("Weight", kPushedBehaviour,
                                            kt::Value(std::string("3")));
    });
}

// The floor: the same attribute rows and stamps, one prepared statement per row.
void NewAttributeDown10000Specializations_Floor(benchmark::State& state) {
    roundsOf(state, "Weight", "3", [](const AttributeCatalogue& catalogue) {
        auto& database = kt::global_db().database();
        const std::string stamp = kt::TimeStamp::now().lastModified();
        const std::int32_t first = kt::NewAttributeID();
        std::int32_t key = first;
        const auto insert = [&](std::int32_t entity, bool inherited) {
            database.execute(
                "INSERT INTO Attributes (atri_id, atri_name, atri_inherit, atri_data_type, "
                "atri_value, atri_ent_ref, atri_inherit_from_atri_id, atri_class, atri_deleted, "
                "atri_default_value, atri_entity_value_id, atri_OLE_id, atri_inherit_from_parent, "
                "atri_inherit_behavior) VALUES (?, 'Weight', ?, 'Unspecified', '3', ?, ?, -1, 0, "
                "'-', -1, -1, 1, 2)",
                key++, inherited, entity, first);
            database.execute("UPDATE Entity SET ent_last_modified = ? WHERE ent_id = ?", stamp,
                             entity);
        };
        insert(catalogue.top_, false);
        for (const std::int32_t entity : catalogue.specializations_) {
            insert(entity, true);
        }
    });
}

void PushValueDown10000Specializations(benchmark::State& state) {
    roundsOf(state, "Size", "11", [](const AttributeCatalogue& catalogue) {
        catalogue.worker()->SetAttributeVal("Size", kt::Value(std::string("11")));
    });
}

// The floor: the same values and stamps, one prepared statement per row.
void PushValueDown10000Specializations_Floor(benchmark::State& state) {
    roundsOf(state, "Size", "11", [](const AttributeCatalogue& catalogue) {
        auto& database = kt::global_db().database();
        const std::string stamp = kt::TimeStamp::now().lastModified();
        database.execute("UPDATE Attributes SET atri_inherit_from_parent = 0 WHERE atri_id = ?",
                         catalogue.sizeKeys_.front());
        for (const std::int32_t key : catalogue.sizeKeys_) {
            database.execute("UPDATE Attributes SET atri_value = '11' WHERE atri_id = ?", key);
        }
        database.execute("UPDATE Entity SET ent_last_modified = ? WHERE ent_id = ?", stamp,
                         catalogue.top_);
        for (const std::int32_t entity : catalogue.specializations_) {
            database.execute("UPDATE Entity SET ent_last_modified = ? WHERE ent_id = ?", stamp,
                             entity);
        }
    });
}

BENCHMARK(NewAttributeDown10000Specializations)->Unit(benchmark::kMillisecond);
BENCHMARK(NewAttributeDown10000Specializations_Floor)->Unit(benchmark::kMillisecond);
BENCHMARK(PushValueDown10000Specializations)->Unit(benchmark::kMillisecond);
BENCHMARK(PushValueDown10000Specializations_Floor)->Unit(benchmark::kMillisecond);

}  // namespace
