#include "server/database/schema_operations.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>

#include "server/database/database.h"
#include "server/database/errors.h"

namespace kt::schema {

namespace {

bool isPlainIdentifier(std::string_view name) {
    const auto letter = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
    };
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return !name.empty() && letter(name.front()) &&
           std::ranges::all_of(name, [&](char c) { return letter(c) || digit(c); });
}

std::string literal(const Value& value) {
    return std::visit(
        [](const auto& held) -> std::string {
            using T = std::decay_t<decltype(held)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return "NULL";
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                return std::to_string(held);
            } else if constexpr (std::is_same_v<T, double>) {
                char buffer[32];
                return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, held).ptr);
            } else {
                std::string quoted = "'";
                for (const char c : held) {
                    quoted += c == '\'' ? "''" : std::string(1, c);
                }
                return quoted + "'";
            }
        },
        value);
}

std::string_view sqlType(ColumnType type) {
    switch (type) {
        case ColumnType::Long:
        case ColumnType::Boolean:
            return "INTEGER";
        case ColumnType::Integer:
            return "SMALLINT";
        case ColumnType::Text:
        case ColumnType::Memo:
            return "TEXT";
    }
    return "";
}

}  // namespace

std::string quotedIdentifier(std::string_view name) {
    if (!isPlainIdentifier(name)) {
        throw DatabaseError(SQLITE_MISUSE, "Not a plain identifier: \"" + std::string(name) + "\"");
    }
    return "\"" + std::string(name) + "\"";
}

std::string columnDeclaration(const ColumnDefinition& column) {
    std::string declaration =
        quotedIdentifier(column.name) + " " + std::string(sqlType(column.type));
    if (column.primaryKey) {
        declaration += " PRIMARY KEY";
    }
    std::optional<Value> defaultValue = column.defaultValue;
    if (column.type == ColumnType::Boolean) {
        declaration += " NOT NULL";
        if (!defaultValue) {
            defaultValue = std::int64_t{0};
        }
    } else if (column.required) {
        declaration += " NOT NULL";
    }
    if (defaultValue) {
        declaration += " DEFAULT " + literal(*defaultValue);
    }
    if (column.type == ColumnType::Text || column.type == ColumnType::Memo) {
        declaration += " COLLATE NOCASE";
    }
    return declaration;
}

bool hasTable(Database& database, std::string_view table) {
    return database
        .scalar("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ? COLLATE NOCASE",
                table)
        .has_value();
}

bool hasColumn(Database& database, std::string_view table, std::string_view column) {
    return database
        .scalar("SELECT 1 FROM pragma_table_info(?) WHERE name = ? COLLATE NOCASE", table, column)
        .has_value();
}

bool hasIndex(Database& database, std::string_view index) {
    return database
        .scalar("SELECT 1 FROM sqlite_schema WHERE type = 'index' AND name = ? COLLATE NOCASE",
                index)
        .has_value();
}

std::vector<ColumnInfo> columns(Database& database, std::string_view table) {
    auto rows = database.snapshot(
        "SELECT name, type, \"notnull\", dflt_value, pk FROM pragma_table_info(?) ORDER BY cid",
        table);
    std::vector<ColumnInfo> result;
    for (; !rows.eof(); rows.moveNext()) {
        const auto defaultValue = rows["dflt_value"];
        result.push_back(
            {rows["name"].asText(), rows["type"].asText(), rows["notnull"].asBoolean(),
             defaultValue.isNull() ? std::nullopt : std::optional(defaultValue.asText()),
             rows["pk"].asLong() != 0});
    }
    return result;
}

void createTable(Database& database, std::string_view table,
                 std::span<const ColumnDefinition> columns) {
    std::string sql = "CREATE TABLE " + quotedIdentifier(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + columnDeclaration(columns[i]);
    }
    database.execute(sql + ")");
}

void addColumn(Database& database, std::string_view table, const ColumnDefinition& column) {
    database.execute("ALTER TABLE " + quotedIdentifier(table) + " ADD COLUMN " +
                     columnDeclaration(column));
}

void renameTable(Database& database, std::string_view from, std::string_view to) {
    database.execute("ALTER TABLE " + quotedIdentifier(from) + " RENAME TO " +
                     quotedIdentifier(to));
}

void renameColumn(Database& database, std::string_view table, std::string_view from,
                  std::string_view to) {
    database.execute("ALTER TABLE " + quotedIdentifier(table) + " RENAME COLUMN " +
                     quotedIdentifier(from) + " TO " + quotedIdentifier(to));
}

void dropTable(Database& database, std::string_view table) {
    database.execute("DROP TABLE " + quotedIdentifier(table));
}

void dropColumn(Database& database, std::string_view table, std::string_view column) {
    database.execute("ALTER TABLE " + quotedIdentifier(table) + " DROP COLUMN " +
                     quotedIdentifier(column));
}

void createIndex(Database& database, std::string_view index, std::string_view table,
                 std::span<const std::string> columns, bool unique) {
    std::string sql = std::string(unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") +
                      quotedIdentifier(index) + " ON " + quotedIdentifier(table) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        sql += (i ? ", " : "") + quotedIdentifier(columns[i]);
    }
    database.execute(sql + ")");
}

void dropIndex(Database& database, std::string_view index) {
    database.execute("DROP INDEX " + quotedIdentifier(index));
}

}  // namespace kt::schema
