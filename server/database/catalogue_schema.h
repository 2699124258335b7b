#pragma once

#include <span>
#include <string>
#include <vector>

#include "server/database/schema_operations.h"

namespace kt {

class Database;

struct IndexDefinition {
    std::string name;
    std::vector<std::string> columns;
    bool unique = false;
};

struct TableDefinition {
    std::string name;
    std::vector<ColumnDefinition> columns;
    std::vector<IndexDefinition> indexes;
};

// The current catalogue schema: every table with its columns in their physical order, and the
// indexes that the lookups by owner, parent, name and unique ID use.
std::span<const TableDefinition> catalogueTables();

// Creates every table and index of the current schema in an empty database.
void createCatalogueSchema(Database& database);

// What the database lacks of the current schema: "Table" for a missing table,
// "Table.column" for a missing column. Empty when the schema is current.
std::vector<std::string> missingSchemaParts(Database& database);

}  // namespace kt
