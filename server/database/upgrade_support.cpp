#include "server/database/upgrade_support.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "server/database/catalogue_messages.h"
#include "server/database/catalogue_schema.h"
#include "server/database/database.h"
#include "server/database/field.h"
#include "server/database/text_compare.h"

namespace kt::upgrade {

namespace {

const TableDefinition& currentTable(std::string_view table) {
    for (const auto& definition : catalogueTables()) {
        if (equalsIgnoringCase(definition.name, table)) {
            return definition;
        }
    }
    throw std::logic_error("not a table of the catalogue: " + std::string(table));
}

// Counts of one entity, or of every entity when the condition says so.
constexpr std::string_view kCountsOf =
    "ent_cache_decomp_count = (SELECT COUNT(*) FROM Relation WHERE rel_start_ent_id = "
    "Entity.ent_id AND rel_Type = 1 AND rel_deleted = 0), "
    "ent_cache_spec_count = (SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = "
    "Entity.ent_id AND spec_deleted = 0 AND spec_type = "
    "CASE WHEN Entity.ent_type = 1 THEN 2 ELSE 1 END), "
    "ent_cache_bundle_count = CASE WHEN Entity.ent_type = 1 THEN (SELECT COUNT(*) FROM "
    "Specialization WHERE spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND "
    "spec_type = 1) ELSE 0 END";

}  // namespace

const ColumnDefinition& currentColumn(std::string_view table, std::string_view column) {
    for (const auto& definition : currentTable(table).columns) {
        if (equalsIgnoringCase(definition.name, column)) {
            return definition;
        }
    }
    throw std::logic_error("not a column of " + std::string(table) + ": " + std::string(column));
}

void addCurrentColumn(Database& database, std::string_view table, std::string_view column) {
    schema::addColumn(database, table, currentColumn(table, column));
}

void createCurrentTable(Database& database, std::string_view table) {
    const TableDefinition& definition = currentTable(table);
    schema::createTable(database, definition.name, definition.columns);
}

void ensureLookupIndexes(Database& database) {
    for (const auto& table : catalogueTables()) {
        for (const auto& index : table.indexes) {
            const bool columnsThere = std::ranges::all_of(index.columns, [&](const auto& column) {
                return schema::hasColumn(database, table.name, column);
            });
            if (columnsThere && !schema::hasIndex(database, index.name)) {
                schema::createIndex(database, index.name, table.name, index.columns, index.unique);
            }
        }
    }
}

std::optional<std::int32_t> keyOfName(Database& database, std::string_view name) {
    const auto key = database.scalar(
        "SELECT ent_id FROM Entity WHERE ent_name = ? ORDER BY ent_id LIMIT 1", name);
    if (!key) {
        return std::nullopt;
    }
    return Field("ent_id", *key).asLong();
}

std::int32_t requireKeyOfName(Database& database, std::string_view name) {
    const auto key = keyOfName(database, name);
    if (!key) {
        throw catalogueError(msg::EntityNotPresent);
    }
    return *key;
}

bool hasStoredAttribute(Database& database, std::int32_t owner, std::string_view name) {
    return database
        .scalar(
            "SELECT 1 FROM Attributes WHERE atri_ent_ref = ? AND atri_name = ? AND "
            "atri_deleted = 0",
            owner, name)
        .has_value();
}

SpecializationQuery::SpecializationQuery(Database& database) : database_(database) {
    const bool typed = schema::hasColumn(database, "Specialization", "spec_type");
    const bool ordered = schema::hasColumn(database, "Specialization", "spec_display_order");
    sql_ =
        "SELECT spec_child_ent_id, ifnull(child.ent_type, 0), ifnull(child.ent_deleted, 1), "
        "EXISTS (SELECT 1 FROM Attributes WHERE atri_ent_ref = spec_child_ent_id AND "
        "atri_name = ?1 AND atri_deleted = 0) "
        "FROM Specialization LEFT JOIN Entity AS child ON child.ent_id = spec_child_ent_id "
        "WHERE spec_parent_ent_id = ?2 AND spec_deleted = 0";
    if (typed) {
        sql_ +=
            " AND spec_type = CASE WHEN (SELECT ent_type FROM Entity WHERE ent_id = ?2) = 1 "
            "THEN 2 ELSE 1 END";
    }
    sql_ += ordered ? " ORDER BY spec_display_order, spec_id" : " ORDER BY spec_id";
}

std::vector<Specialization> SpecializationQuery::of(std::int32_t key,
                                                    std::string_view attributeName) const {
    std::vector<Specialization> children;
    for (auto rows = database_.snapshot(sql_, attributeName, key); !rows.eof(); rows.moveNext()) {
        if (rows.field(std::size_t{0}).isNull()) {
            continue;
        }
        children.push_back(
            {rows.field(std::size_t{0}).asLong(), rows.field(std::size_t{1}).asInteger(),
             rows.field(std::size_t{2}).asBoolean(), rows.field(std::size_t{3}).asBoolean()});
    }
    return children;
}

bool cachedCountsStale(Database& database, std::int32_t key) {
    auto counts = database.snapshot(
        "SELECT ent_cache_decomp_count AS d, ent_cache_spec_count AS s, "
        "ent_cache_bundle_count AS b, "
        "(SELECT COUNT(*) FROM Relation WHERE rel_start_ent_id = Entity.ent_id AND "
        "rel_Type = 1 AND rel_deleted = 0) AS nd, "
        "(SELECT COUNT(*) FROM Specialization WHERE spec_parent_ent_id = Entity.ent_id AND "
        "spec_deleted = 0 AND spec_type = CASE WHEN Entity.ent_type = 1 THEN 2 ELSE 1 END) "
        "AS ns, "
        "CASE WHEN Entity.ent_type = 1 THEN (SELECT COUNT(*) FROM Specialization WHERE "
        "spec_parent_ent_id = Entity.ent_id AND spec_deleted = 0 AND spec_type = 1) ELSE 0 "
        "END AS nb FROM Entity WHERE ent_id = ?",
        key);
    return !counts.eof() && (counts["d"].value() != counts["nd"].value() ||
                             counts["s"].value() != counts["ns"].value() ||
                             counts["b"].value() != counts["nb"].value());
}

bool recountCachedCounts(Database& database, std::int32_t key) {
    // Written only when a count differs, so that opening a sound catalogue writes nothing.
    if (!cachedCountsStale(database, key)) {
        return false;
    }
    database.execute("UPDATE Entity SET " + std::string(kCountsOf) + " WHERE ent_id = ?", key);
    return true;
}

void recountAllCachedCounts(Database& database, bool liveOnly) {
    database.execute("UPDATE Entity SET " + std::string(kCountsOf) +
                     (liveOnly ? " WHERE ent_deleted = 0" : ""));
}

}  // namespace kt::upgrade
