#include "server/database/legacy_schema.h"

#include <array>
#include <string>
#include <vector>

#include "server/database/database.h"
#include "server/database/fixed_entities.h"
#include "server/database/time_stamp.h"
#include "server/database/upgrade_support.h"

namespace kt {

namespace {

constexpr std::array<ColumnRename, 9> kActivityColumns{{
    {"acti_id", "ent_id"},
    {"acti_name", "ent_name"},
    {"acti_contact", "ent_contact"},
    {"acti_is_bundle", "ent_is_bundle"},
    {"acti_last_modified", "ent_last_modified"},
    {"acti_deleted", "ent_deleted"},
    {"acti_type", "ent_type"},
    {"acti_unique_id", "ent_unique_id"},
    {"Acti_ACL", "ent_acl"},
}};

constexpr std::array<ColumnRename, 8> kDecompositionColumns{{
    {"deco_id", "rel_id"},
    {"deco_contact", "rel_contact"},
    {"deco_where_used_acti_id", "rel_start_ent_id"},
    {"deco_subactivities_acti_id", "rel_end_ent_id"},
    {"deco_inherit", "rel_inherit"},
    {"deco_inherit_from_deco_id", "rel_inherit_from_rel_id"},
    {"deco_deleted", "rel_deleted"},
    {"Inherit_by_copy", "rel_inherit_by_copy"},
}};

constexpr std::array<ColumnRename, 4> kSpecialisationColumns{{
    {"spec_id", "spec_id"},
    {"spec_parent_acti_id", "spec_parent_ent_id"},
    {"spec_child_acti_id", "spec_child_ent_id"},
    {"spec_deleted", "spec_deleted"},
}};

constexpr std::array<ColumnRename, 9> kAttributeColumns{{
    {"atri_id", "atri_id"},
    {"atri_name", "atri_name"},
    {"atri_inherit", "atri_inherit"},
    {"atri_type", "atri_data_type"},
    {"atri_value", "atri_value"},
    {"atri_acti_ref", "atri_ent_ref"},
    {"atri_inherit_from_atri_id", "atri_inherit_from_atri_id"},
    {"atri_class", "atri_class"},
    {"atri_deleted", "atri_deleted"},
}};

constexpr std::array<TableRename, 4> kTables{{
    {"Activity", "Entity", kActivityColumns},
    {"Decomposition", "Relation", kDecompositionColumns},
    {"Specialisation", "Specialization", kSpecialisationColumns},
    {"Attributes", "Attributes", kAttributeColumns},
}};

constexpr std::array<std::string_view, 7> kDependencyTables{
    "Dependency",        "Dependency_Type", "Producer", "Consumer", "Dependency_Attributes",
    "Can_Be_Managed_By", "Coordinates"};

// The old dependency tables hold nothing the conversion keeps: a key and a few references.
std::vector<ColumnDefinition> dependencyColumns() {
    return {{"dep_id", ColumnType::Long, std::nullopt, true},
            {"dep_name", ColumnType::Text},
            {"dep_acti_id", ColumnType::Long},
            {"dep_other_id", ColumnType::Long}};
}

}  // namespace

std::span<const TableRename> legacyTableRenames() {
    return kTables;
}

std::span<const std::string_view> legacyDependencyTables() {
    return kDependencyTables;
}

void createLegacySchema(Database& database) {
    for (const TableRename& table : kTables) {
        std::vector<ColumnDefinition> columns;
        for (const ColumnRename& column : table.columns) {
            ColumnDefinition definition = upgrade::currentColumn(table.to, column.to);
            definition.name = std::string(column.from);
            columns.push_back(std::move(definition));
        }
        schema::createTable(database, table.from, columns);
    }
    for (const std::string_view table : kDependencyTables) {
        schema::createTable(database, table, dependencyColumns());
    }
}

void insertLegacyRoot(Database& database, const TimeStamp& stamp) {
    constexpr std::int32_t kRootKey = 0;
    database.execute(
        "INSERT INTO Activity (acti_id, acti_name, acti_contact, acti_is_bundle, "
        "acti_last_modified, acti_deleted, acti_type, acti_unique_id, Acti_ACL) "
        "VALUES (?, 'Root', ?, 0, ?, 0, 0, ?, 0)",
        kRootKey, kAutoUpgradeContact, stamp.lastModified(), stamp.pifId(kRootKey));
}

}  // namespace kt
