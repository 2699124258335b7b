// Attribute changes carried down a specialization tree of 1,000 entities over three levels, on
// a catalogue of 100,000 entities with an attribute each: a new behaviour-2 attribute, and a
// value pushed to every copy. Goal: each under 200 ms.
#include <benchmark/benchmark.h>

#include <optional>
#include <string>
#include <vector>

#include "bench/support/peak_memory.h"
#include "bench/support/scratch_database_path.h"
#include "server/database/catalogue_creator.h"
#include "server/database/db.h"
#include "server/database/entity_insert.h"
#include "server/database/key_allocation.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/entities/generic.h"

namespace {

constexpr int kEntities = 100000;
// 10 children of the top, 9 below each of them and 10 below each of those: 1,000 in all.
constexpr int kFanOut[] = {10, 9, 10};
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
            specializations_ += static_cast<int>(next.size());
            level = std::move(next);
        }
        while (made < kEntities) {
            entity("Background " + std::to_string(made));
        }
        writing.commit();
        worker()->AddNewAttribute("Size", kPushedBehaviour, kt::Value(std::string("10")));
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

    int specializations_ = 0;

private:
    vrn::bench::ScratchDatabasePath file_{"kt_attribute_bench"};
    std::int32_t top_ = 0;
};

// The rows that hold a value, the top's included.
int rowsHolding(const std::string& name, const std::string& value) {
    return static_cast<int>(kt::Field("count", kt::global_db()
                                                   .database()
                                                   .scalar("SELECT COUNT(*) FROM Attributes "
                                                           "WHERE atri_name = ? AND atri_value = ?",
                                                           name, value)
                                                   .value())
                                .asLong());
}

void AddBehaviour2AttributeThrough1000Specializations(benchmark::State& state) {
    auto& catalogue = AttributeCatalogue::shared();
    const auto top = catalogue.worker();
    // Each round is rolled back before the next, so that every round adds the same rows.
    std::optional<kt::Transaction> round;
    for (auto _ : state) {
        state.PauseTiming();
        round.reset();
        round.emplace(kt::global_db().database());
        state.ResumeTiming();
        top->AddNewAttribute("Weight", kPushedBehaviour, kt::Value(std::string("3")));
        state.PauseTiming();
        if (rowsHolding("Weight", "3") != catalogue.specializations_ + 1) {
            state.SkipWithError("the attribute did not reach every specialization");
        }
        state.ResumeTiming();
    }
    round.reset();
    state.counters["peak MB"] = vrn::bench::peakMemoryMB();
}

void PushValueThrough1000Specializations(benchmark::State& state) {
    auto& catalogue = AttributeCatalogue::shared();
    const auto top = catalogue.worker();
    int round = 0;
    for (auto _ : state) {
        const std::string value = std::to_string(++round);
        top->SetAttributeVal("Size", kt::Value(value));
        state.PauseTiming();
        if (rowsHolding("Size", value) != catalogue.specializations_ + 1) {
            state.SkipWithError("the value did not reach every specialization");
        }
        state.ResumeTiming();
    }
}

BENCHMARK(AddBehaviour2AttributeThrough1000Specializations)->Unit(benchmark::kMillisecond);
BENCHMARK(PushValueThrough1000Specializations)->Unit(benchmark::kMillisecond);

}  // namespace
