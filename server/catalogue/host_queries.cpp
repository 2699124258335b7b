#include "server/catalogue/host_queries.h"

#include <sqlite3.h>

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_set>
#include <variant>

#include "server/attributes/trim_bangs.h"
#include "server/database/condition_shape.h"
#include "server/database/db.h"
#include "server/database/errors.h"
#include "server/database/fixed_entities.h"
#include "server/database/object_id.h"
#include "server/database/transaction.h"
#include "server/database/type_codes.h"
#include "server/entities/entities.h"
#include "server/entities/generic.h"

namespace kt {

namespace {

constexpr std::string_view kNameColumns =
    "SELECT ent_id, ent_name, ent_acl, ent_type, ent_cache_spec_count FROM Entity ";

// The number of the catalogue error for a condition that cannot be run.
constexpr int kConditionRefused = 666;

// The table a search reads, its key and its deleted flag.
struct SearchedTable {
    std::string_view name;
    std::string_view key;
    std::string_view deleted;
};
constexpr SearchedTable kEntityTable{"Entity", "ent_id", "ent_deleted"};
constexpr SearchedTable kAttributeTable{"Attributes", "atri_id", "atri_deleted"};

Error refusedCondition(std::string_view operation, const std::string& reason) {
    return catalogueError(kConditionRefused, "The search condition cannot be run. " + reason,
                          std::string(operation));
}

// The keys of the live rows of `table` that the host's condition matches, each once, in
// `order`. The condition stands in a subquery of its own, inside parentheses it cannot leave,
// so the deleted-row filter and the order outside it hold whatever it says. Its statement may
// read only the searched table, runs under the connection's time limit for hosts, and is not
// kept once it has run.
std::vector<std::int64_t> matchingKeys(std::string_view operation, const SearchedTable& table,
                                       const std::string& condition, std::string_view order) {
    if (const std::string fault = conditionShapeFault(condition); !fault.empty()) {
        throw refusedCondition(operation, "It is not one expression: " + fault + ".");
    }
    constexpr std::size_t kWrapperLength = 160;  // the SQL around the condition, with room
    std::string sql;
    sql.reserve(condition.size() + order.size() + kWrapperLength);
    sql.append("SELECT ").append(table.key).append(" FROM ").append(table.name);
    sql.append(" WHERE ").append(table.deleted).append(" = 0 AND ").append(table.key);
    sql.append(" IN (SELECT ").append(table.key).append(" FROM ").append(table.name);
    // The closing parentheses stand on a line of their own, after any "--" comment.
    sql.append(" WHERE (\n").append(condition).append("\n)) ORDER BY ").append(order);

    Database& database = global_db().database();
    const ReadRules rules{{std::string(table.name)}, database.hostQueryTimeLimit()};
    std::optional<Recordset> rows;
    try {
        rows = database.confinedSnapshot(sql, rules);
    } catch (const DatabaseError& error) {
        const int primaryCode = error.number() & 0xff;
        if (primaryCode == SQLITE_AUTH || primaryCode == SQLITE_INTERRUPT) {
            throw refusedCondition(operation, error.description());
        }
        throw;
    }
    std::vector<std::int64_t> keys;
    std::unordered_set<std::int64_t> seen;
    for (; !rows->eof(); rows->moveNext()) {
        const Value key = rows->field(0).value();
        if (const auto* number = std::get_if<std::int64_t>(&key);
            number != nullptr && seen.insert(*number).second) {
            keys.push_back(*number);
        }
    }
    return keys;
}

// The owners of the live attributes that match, once per attribute, in attribute order. Each
// owner is read again from its own live row, whatever the search returned.
std::vector<std::int32_t> matchingOwners(std::string_view operation, const std::string& condition) {
    std::vector<std::int32_t> owners;
    for (const std::int64_t key : matchingKeys(operation, kAttributeTable, condition, "atri_id")) {
        const auto owner = global_db().database().scalar(
            "SELECT atri_ent_ref FROM Attributes WHERE atri_id = ? AND atri_deleted = 0", key);
        if (owner && !isNull(*owner)) {
            owners.push_back(Field("atri_ent_ref", *owner).asLong());
        }
    }
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
        for (const std::int64_t key : matchingKeys(kOperation, kEntityTable, SQLString, "ent_id")) {
            const Recordset row = liveEntityRow("SELECT * FROM Entity ", key);
            if (row.eof()) {
                continue;
            }
            auto worker = std::make_shared<generic>();
            worker->InitFromFields(readEntityRecord(row));
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
        for (const std::int64_t key : matchingKeys(kOperation, kEntityTable, SQLString,
                                                   SortByName ? "ent_name, ent_id" : "ent_id")) {
            addLive(key);
        }
    }
    operation.commit();
    list.handOver(Names, IDs, ACLs);
    return true;
}

}  // namespace kt
