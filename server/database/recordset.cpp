#include "server/database/recordset.h"

#include <sqlite3.h>

#include "server/database/errors.h"
#include "server/database/statement.h"
#include "server/database/text_compare.h"

namespace kt {

namespace {
DatabaseError noCurrentRecord() {
    return DatabaseError(SQLITE_NOTFOUND, "No current record.");
}
}  // namespace

Recordset Recordset::readAll(Statement& statement) {
    StatementReset reset(statement);
    const int columns = statement.columnCount();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(columns));
    for (int i = 0; i < columns; ++i) {
        names.push_back(statement.columnName(i));
    }
    std::vector<Value> cells;
    while (statement.step()) {
        for (int i = 0; i < columns; ++i) {
            cells.push_back(statement.column(i));
        }
    }
    return Recordset(std::move(names), std::move(cells));
}

Recordset::Recordset(std::vector<std::string> columnNames, std::vector<Value> cells)
    : names_(std::move(columnNames)),
      cells_(std::move(cells)),
      rowCount_(names_.empty() ? 0 : cells_.size() / names_.size()) {}

void Recordset::moveNext() {
    if (eof()) {
        throw noCurrentRecord();
    }
    ++current_;
}

Field Recordset::field(std::string_view name) const {
    return field(columnIndex(name));
}

Field Recordset::field(std::size_t index) const {
    if (index >= names_.size()) {
        throw DatabaseError(SQLITE_RANGE, "Item not found in this collection.");
    }
    if (eof()) {
        throw noCurrentRecord();
    }
    return Field(names_[index], cells_[current_ * names_.size() + index]);
}

std::size_t Recordset::columnIndex(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (equalsIgnoringCase(names_[i], name)) {
            return i;
        }
    }
    return names_.size();
}

}  // namespace kt
