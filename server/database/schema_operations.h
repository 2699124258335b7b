#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "server/database/value.h"

namespace kt {

class Database;

// Column kinds of the catalogue. Integers of both widths share the engine's integer storage;
// Text and Memo compare without regard to case; a Boolean is 0 or 1 and never Null.
enum class ColumnType { Long, Integer, Boolean, Text, Memo };

struct ColumnDefinition {
    std::string name;
    ColumnType type;
    std::optional<Value> defaultValue = std::nullopt;
    bool primaryKey = false;  // an integer key the engine indexes itself
    bool required = false;
};

// One row of the engine's own description of a table's columns.
struct ColumnInfo {
    std::string name;
    std::string declaredType;
    bool notNull;
    std::optional<std::string> defaultValue;  // as SQL text
    bool primaryKey;
};

// Schema probes and changes. Names are checked to be plain identifiers (letters, digits and
// underscores) and quoted, since SQL takes no parameters in their place; the same holds for
// defaults, which are written as literals.
namespace schema {

bool hasTable(Database& database, std::string_view table);
bool hasColumn(Database& database, std::string_view table, std::string_view column);
bool hasIndex(Database& database, std::string_view index);
std::vector<ColumnInfo> columns(Database& database, std::string_view table);

void createTable(Database& database, std::string_view table,
                 std::span<const ColumnDefinition> columns);
// Rows that exist already take the column's default.
void addColumn(Database& database, std::string_view table, const ColumnDefinition& column);
void renameTable(Database& database, std::string_view from, std::string_view to);
void renameColumn(Database& database, std::string_view table, std::string_view from,
                  std::string_view to);
void dropTable(Database& database, std::string_view table);
// An index on the column has to be dropped first.
void dropColumn(Database& database, std::string_view table, std::string_view column);
void createIndex(Database& database, std::string_view index, std::string_view table,
                 std::span<const std::string> columns, bool unique);
void dropIndex(Database& database, std::string_view index);

// The declaration of one column as CREATE TABLE and ADD COLUMN take it.
std::string columnDeclaration(const ColumnDefinition& column);
// A plain identifier between double quotes; anything else is refused.
std::string quotedIdentifier(std::string_view name);

}  // namespace schema

}  // namespace kt
