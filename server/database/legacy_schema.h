#pragma once

#include <span>
#include <string_view>

namespace kt {

class Database;
class TimeStamp;

// The oldest catalogue schema the server still opens: an activity catalogue with tables
// Activity, Decomposition and Specialisation, the first nine columns of Attributes, and the
// dependency tables that the typed-entity schema replaced.

struct ColumnRename {
    std::string_view from;
    std::string_view to;
};

struct TableRename {
    std::string_view from;  // the old table
    std::string_view to;    // its name in the current schema
    std::span<const ColumnRename> columns;
};

// The old tables with their old column names, in physical column order; Attributes keeps its
// table name.
std::span<const TableRename> legacyTableRenames();

// Tables of the old dependency model, dropped by the conversion.
std::span<const std::string_view> legacyDependencyTables();

// Creates the oldest schema in an empty database. Columns are declared as the current schema
// declares them under their new names, so a converted catalogue matches a new one.
void createLegacySchema(Database& database);

// The root activity of an old catalogue (key 0), as an empty old catalogue holds it.
void insertLegacyRoot(Database& database, const TimeStamp& stamp);

}  // namespace kt
