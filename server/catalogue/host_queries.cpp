#include "server/catalogue/host_queries.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <string_view>
#include <vector>

#include "server/attributes/trim_bangs.h"
#include "server/database/condition_shape.h"
#include "server/database/database.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/fixed_entities.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/entity_record.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::string_view kNameColumns =
    "SELECT ent_id, ent_name, ent_acl, ent_type, ent_cache_spec_count FROM Entity ";

// The number of the catalogue error for a condition that cannot be run.
constexpr int kConditionRefused = 666;
// The longest condition a host may give; far beyond any written by hand.
constexpr std::size_t kLongestCondition = 64 * 1024;
// The SQL around the condition, with room.
constexpr std::size_t kWrapperLength = 512;
static_assert(kLongestCondition + kWrapperLength <= Confinement::kLongestQuery);

// The table a search reads, its deleted flag, what it lists and in which order (none: the
// caller orders the rows).
struct Search {
    std::string_view table;
    std::string_view deleted;
    std::string_view columns;
    std::string_view order;
};
constexpr Search kEntityRows{"Entity", "ent_deleted", "*", ""};
constexpr Search kEntityNames{
    "Entity", "ent_deleted", "ent_id, ent_name, ent_acl, ent_type, ent_cache_spec_count", "ent_id"};
constexpr Search kEntityNamesByName{"Entity", "ent_deleted",
                                    "ent_id, ent_name, ent_acl, ent_type, ent_cache_spec_count",
                                    "ent_name, ent_id"};
constexpr Search kAttributeOwners{"Attributes", "atri_deleted", "atri_ent_ref", "atri_id"};

Error refusedCondition(std::string_view operation, const std::string& reason) {
    return catalogueError(kConditionRefused, "The search condition cannot be run. " + reason,
                          std::string(operation));
}

// Hands `row` each live row of the searched table that the host's condition matches. Inside
// the statement the table's name stands for its live rows alone, so the condition, subqueries
// and all, sees no deleted row. The condition stands inside parentheses it cannot leave, so
// the order outside it holds whatever it says. Its statement may read only the searched table,
// is bounded in time and size (Confinement), and is not kept once it has run.
void eachMatchingRow(std::string_view operation, const Search& search, const std::string& condition,
                     const std::function<void(const Recordset&)>& row) {
    if (condition.size() > kLongestCondition) {
        throw refusedCondition(operation, "It is " + std::to_string(condition.size()) +
                                              " bytes long; a condition may be at most " +
                                              std::to_string(kLongestCondition) + " bytes long.");
    }
    if (const std::string fault = conditionShapeFault(condition); !fault.empty()) {
        throw refusedCondition(operation, "It is not one expression: " + fault + ".");
    }
    std::string sql;
    sql.reserve(condition.size() + kWrapperLength);
    sql.append("WITH ").append(search.table).append(" AS (SELECT * FROM main.");
    sql.append(search.table).append(" WHERE ").append(search.deleted).append(" = 0) SELECT ");
    sql.append(search.columns).append(" FROM ").append(search.table);
    // The closing parenthesis stands on a line of its own, after any "--" comment.
    sql.append(" WHERE (\n").append(condition).append("\n)");
    if (!search.order.empty()) {
        sql.append(" ORDER BY ").append(search.order);
    }

    Database& database = global_db().database();
    try {
        database.confinedRows(
            sql, ReadRules{std::string(search.table), database.hostQueryTimeLimit()}, row);
    } catch (const DatabaseError& error) {
        const int primaryCode = error.number() & 0xff;
        if (primaryCode == SQLITE_AUTH || primaryCode == SQLITE_INTERRUPT ||
            primaryCode == SQLITE_TOOBIG || primaryCode == SQLITE_NOMEM) {
            throw refusedCondition(operation, error.description());
        }
        throw;
    }
}

// The owners of the live attributes that match, once per attribute, in attribute order.
std::vector<std::int32_t> matchingOwners(std::string_view operation, const std::string& condition) {
    std::vector<std::int32_t> owners;
    eachMatchingRow(operation, kAttributeOwners, condition, [&](const Recordset& row) {
        if (const Field owner = row.field(std::size_t{0}); !owner.isNull()) {
            owners.push_back(owner.asLong());
        }
    });
    return owners;
}

// The live Entity row of a key, read by the library itself; empty when there is none.
Recordset liveEntityRow(std::string_view columns, std::int64_t key) {
    return global_db().CreateSnapshot(std::string(columns) + "WHERE ent_id = ? AND ent_deleted = 0",
                                      key);
}

// One line of a names list, as it is being decorated.
struct NameEntry {
    std::string name;
    std::int32_t id = 0;
    std::int32_t acl = 0;
};

class NamesList {
public:
    explicit NamesList(bool includeNotes) : includeNotes_(includeNotes) {}

    // Adds the current row of kNameColumns unless it is an empty default bundle.
    void addCandidate(const Recordset& row) {
        const bool bundle = row["ent_type"].asInteger() == static_cast<int>(EntityType::Bundle);
        std::string name = row["ent_name"].asText();
        const Field specCount = row["ent_cache_spec_count"];
        if (bundle && name.starts_with(kDefaultBundlePrefix) && !specCount.isNull() &&
            specCount.asLong() == 0) {
            return;
        }
        const std::int32_t key = row["ent_id"].asLong();
        if (includeNotes_) {
            if (const std::string notes = notesOf(key); !notes.empty()) {
                name += " {" + notes + "}";
            }
        }
        if (bundle) {
            name = "[" + name + "]";
        }
        const Field acl = row["ent_acl"];
        entries_.push_back({std::move(name), EntityID(key), acl.isNull() ? 0 : acl.asLong()});
    }

    // By the decorated names, character code by character code; equal names keep their order.
    void sortByName() { std::ranges::stable_sort(entries_, std::less<>(), &NameEntry::name); }

    void handOver(std::vector<std::string>& names, std::vector<std::int32_t>& ids,
                  std::vector<std::int32_t>& acls) const {
        std::vector<std::string> newNames(1);
        std::vector<std::int32_t> newIds(1);
        std::vector<std::int32_t> newAcls(1);
        for (const NameEntry& entry : entries_) {
            newNames.push_back(entry.name);
            newIds.push_back(entry.id);
            newAcls.push_back(entry.acl);
        }
        names = std::move(newNames);
        ids = std::move(newIds);
        acls = std::move(newAcls);
    }

private:
    static std::string notesOf(std::int32_t key) {
        const auto value = global_db().database().scalar(
            "SELECT atri_value FROM Attributes WHERE atri_ent_ref = ? AND atri_name = 'Notes' "
            "AND atri_deleted = 0 ORDER BY atri_id LIMIT 1",
            key);
        if (!value || isNull(*value)) {
            return {};
        }
        return TrimBangs(Field("atri_value", *value).asText());
    }

    bool includeNotes_;
    std::vector<NameEntry> entries_;
};

}  // namespace

std::shared_ptr<Entities> RunQuery(const std::string& SQLString, bool SearchAttributes) {
    constexpr std::string_view kOperation = "RunQuery";
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    auto entities = std::make_shared<Entities>();
    if (SearchAttributes) {
        for (const std::int32_t owner : matchingOwners(kOperation, SQLString)) {
            entities->AddByID(EntityID(owner));
        }
    } else {
        std::vector<std::shared_ptr<generic>> workers;
        eachMatchingRow(kOperation, kEntityRows, SQLString, [&](const Recordset& row) {
            workers.push_back(std::make_shared<generic>());
            workers.back()->InitFromFields(readEntityRecord(row));
        });
        // In key order, sorted here: the engine's sort of whole rows costs more. A search that
        // reads the whole table finds them in key order already.
        const auto byKey = [](const auto& a, const auto& b) { return a->ID() < b->ID(); };
        if (!std::ranges::is_sorted(workers, byKey)) {
            std::ranges::sort(workers, byKey);
        }
        for (auto& worker : workers) {
            entities->AddFromGeneric(std::move(worker));
        }
    }
    operation.commit();
    return entities;
}

bool RunNamesQuery(const std::string& SQLString, std::vector<std::string>& Names,
                   std::vector<std::int32_t>& IDs, std::vector<std::int32_t>& ACLs,
                   bool SearchAttributes, bool SortByName, bool IncludeNotes) {
    constexpr std::string_view kOperation = "RunNamesQuery";
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    NamesList list(IncludeNotes);
    const auto addLive = [&](std::int64_t key) {
        if (const Recordset row = liveEntityRow(kNameColumns, key); !row.eof()) {
            list.addCandidate(row);
        }
    };
    if (SearchAttributes) {
        for (const std::int32_t owner : matchingOwners(kOperation, SQLString)) {
            addLive(owner);
        }
        if (SortByName) {
            list.sortByName();
        }
    } else {
        eachMatchingRow(kOperation, SortByName ? kEntityNamesByName : kEntityNames, SQLString,
                        [&](const Recordset& row) { list.addCandidate(row); });
    }
    operation.commit();
    list.handOver(Names, IDs, ACLs);
    return true;
}

}  // namespace kt
