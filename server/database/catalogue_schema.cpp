#include "server/database/catalogue_schema.h"

#include <algorithm>

#include "server/database/database.h"
#include "server/database/text_compare.h"

namespace kt {

namespace {

using T = ColumnType;

ColumnDefinition key(std::string name) {
    return {std::move(name), T::Long, {}, true};
}

ColumnDefinition column(std::string name, ColumnType type,
                        std::optional<Value> defaultValue = std::nullopt) {
    return {std::move(name), type, std::move(defaultValue)};
}

Value number(std::int64_t value) {
    return value;
}
Value text(std::string value) {
    return value;
}

// Attributes and RelationAttributes share their columns; only the OLE column's spelling differs.
std::vector<ColumnDefinition> attributeColumns(std::string oleColumn) {
    return {key("atri_id"),
            column("atri_name", T::Text),
            column("atri_inherit", T::Boolean),
            column("atri_data_type", T::Text),
            column("atri_value", T::Memo),
            column("atri_ent_ref", T::Long),
            column("atri_inherit_from_atri_id", T::Long),
            column("atri_class", T::Long),
            column("atri_deleted", T::Boolean),
            column("atri_default_value", T::Memo),
            column("atri_entity_value_id", T::Long),
            column(std::move(oleColumn), T::Long),
            column("atri_inherit_from_parent", T::Boolean),
            column("atri_inherit_behavior", T::Integer)};
}

ColumnDefinition typeCode(std::string name) {
    ColumnDefinition definition = column(std::move(name), T::Text);
    definition.required = true;
    return definition;
}

std::vector<TableDefinition> buildTables() {
    return {
        {"Entity",
         {key("ent_id"), column("ent_name", T::Text), column("ent_contact", T::Text),
          column("ent_is_bundle", T::Boolean), column("ent_last_modified", T::Text),
          column("ent_deleted", T::Boolean), column("ent_type", T::Integer),
          column("ent_unique_id", T::Text), column("ent_acl", T::Long),
          column("ent_cache_spec_count", T::Long, number(0)),
          column("ent_cache_bundle_count", T::Long, number(0)),
          column("ent_cache_decomp_count", T::Long, number(0))},
         {{"Entity_name", {"ent_name"}}, {"Entity_unique_id", {"ent_unique_id"}}}},
        {"Relation",
         {key("rel_id"),
          column("rel_contact", T::Text),
          column("rel_start_ent_id", T::Long),
          column("rel_end_ent_id", T::Long),
          column("rel_inherit", T::Boolean),
          column("rel_inherit_from_rel_id", T::Long),
          column("rel_deleted", T::Boolean),
          column("rel_inherit_by_copy", T::Boolean),
          column("rel_Type", T::Integer),
          column("rel_name", T::Text),
          column("rel_inherit_from_parent", T::Boolean),
          column("rel_context_ent_id", T::Long),
          column("rel_suppressed", T::Boolean),
          column("rel_slot_id", T::Long, number(-1)),
          column("rel_slot_name", T::Text, text("slot_name")),
          column("rel_context_path", T::Text, text("context_path")),
          column("rel_display_order", T::Long, number(0)),
          column("rel_end_ent_type", T::Long, number(0)),
          column("rel_imb_context_ent_id", T::Long, number(0)),
          column("rel_unique_id", T::Text),
          column("rel_slot_unique_id", T::Text)},
         {{"Relation_start", {"rel_start_ent_id"}},
          {"Relation_end", {"rel_end_ent_id"}},
          {"Relation_context", {"rel_context_ent_id"}},
          {"Relation_inherit_from", {"rel_inherit_from_rel_id"}},
          {"Relation_slot", {"rel_slot_id"}},
          {"Relation_unique_id", {"rel_unique_id"}},
          {"Relation_slot_unique_id", {"rel_slot_unique_id"}}}},
        {"Specialization",
         {key("spec_id"), column("spec_parent_ent_id", T::Long),
          column("spec_child_ent_id", T::Long), column("spec_deleted", T::Boolean),
          column("spec_type", T::Integer, number(1)),
          column("spec_display_order", T::Long, number(0))},
         {{"Specialization_parent", {"spec_parent_ent_id"}},
          {"Specialization_child", {"spec_child_ent_id"}}}},
        {"Attributes",
         attributeColumns("atri_OLE_id"),
         {{"Attributes_owner", {"atri_ent_ref"}},
          {"Attributes_inherit_from", {"atri_inherit_from_atri_id"}}}},
        {"RelationAttributes",
         attributeColumns("atri_ole_id"),
         {{"RelationAttributes_owner", {"atri_ent_ref"}},
          {"RelationAttributes_inherit_from", {"atri_inherit_from_atri_id"}}}},
        {"Entity_Types",
         {typeCode("ent_type_id"), column("ent_type_name", T::Text)},
         {{"Ind1", {"ent_type_id"}, true}}},
        {"Relation_Types",
         {typeCode("rel_type_id"), column("rel_type_name", T::Text)},
         {{"Ind2", {"rel_type_id"}, true}}},
    };
}

}  // namespace

std::span<const TableDefinition> catalogueTables() {
    static const std::vector<TableDefinition> tables = buildTables();
    return tables;
}

void createCatalogueSchema(Database& database) {
    for (const auto& table : catalogueTables()) {
        schema::createTable(database, table.name, table.columns);
        for (const auto& index : table.indexes) {
            schema::createIndex(database, index.name, table.name, index.columns, index.unique);
        }
    }
}

std::vector<std::string> missingSchemaParts(Database& database) {
    std::vector<std::string> missing;
    for (const auto& table : catalogueTables()) {
        const auto present = schema::columns(database, table.name);
        if (present.empty()) {
            missing.push_back(table.name);
            continue;
        }
        for (const auto& column : table.columns) {
            const bool found = std::ranges::any_of(present, [&](const ColumnInfo& info) {
                return equalsIgnoringCase(info.name, column.name);
            });
            if (!found) {
                missing.push_back(table.name + "." + column.name);
            }
        }
    }
    return missing;
}

}  // namespace kt
