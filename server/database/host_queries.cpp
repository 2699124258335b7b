#include "server/database/host_queries.h"

#include <sqlite3.h>

#include <algorithm>
#include <string_view>

#include "server/attributes/trim_bangs.h"
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

// The host's condition in parentheses, closed on a line of its own so that a trailing "--"
// comment cannot swallow the deleted-row filter after it.
std::string selectWhere(std::string_view head, const std::string& condition,
                        std::string_view filterAndOrder) {
    std::string sql(head);
    sql.append("WHERE (").append(condition).append("\n) ").append(filterAndOrder);
    return sql;
}

// Runs SQL that carries a host's text: one statement (the statement layer refuses more), no
// parameters, and nothing that writes.
Recordset hostSnapshot(const std::string& sql) {
    Statement& statement = global_db().database().prepare(sql);
    if (!statement.readOnly()) {
        throw DatabaseError(SQLITE_READONLY,
                            "A search condition may only read the catalogue: " + sql);
    }
    statement.bindAll();
    return Recordset::readAll(statement);
}

Recordset matchingAttributes(const std::string& condition) {
    return hostSnapshot(selectWhere("SELECT atri_ent_ref FROM Attributes ", condition,
                                    "AND atri_deleted = 0 ORDER BY atri_id"));
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
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    auto entities = std::make_shared<Entities>();
    if (SearchAttributes) {
        for (auto rows = matchingAttributes(SQLString); !rows.eof(); rows.moveNext()) {
            entities->AddByID(EntityID(rows["atri_ent_ref"].asLong()));
        }
    } else {
        auto rows = hostSnapshot(
            selectWhere("SELECT * FROM Entity ", SQLString, "AND ent_deleted = 0 ORDER BY ent_id"));
        for (; !rows.eof(); rows.moveNext()) {
            auto worker = std::make_shared<generic>();
            worker->InitFromFields(readEntityRecord(rows));
            entities->AddFromGeneric(std::move(worker));
        }
    }
    operation.commit();
    return entities;
}

bool RunNamesQuery(const std::string& SQLString, std::vector<std::string>& Names,
                   std::vector<std::int32_t>& IDs, std::vector<std::int32_t>& ACLs,
                   bool SearchAttributes, bool SortByName, bool IncludeNotes) {
    Transaction operation(global_db().database(), Transaction::Mode::Read);
    NamesList list(IncludeNotes);
    if (SearchAttributes) {
        for (auto owners = matchingAttributes(SQLString); !owners.eof(); owners.moveNext()) {
            const Recordset entity = global_db().CreateSnapshot(
                std::string(kNameColumns) + "WHERE ent_id = ? AND ent_deleted = 0",
                owners["atri_ent_ref"].value());
            if (!entity.eof()) {
                list.addCandidate(entity);
            }
        }
        if (SortByName) {
            list.sortByName();
        }
    } else {
        auto rows =
            hostSnapshot(selectWhere(kNameColumns, SQLString,
                                     SortByName ? "AND ent_deleted = 0 ORDER BY ent_name, ent_id"
                                                : "AND ent_deleted = 0 ORDER BY ent_id"));
        for (; !rows.eof(); rows.moveNext()) {
            list.addCandidate(rows);
        }
    }
    operation.commit();
    list.handOver(Names, IDs, ACLs);
    return true;
}

}  // namespace kt
