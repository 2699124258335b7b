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

namespace {
std::vector<std::string> columnNamesOf(const Statement& statement) {
    std::vector<std::string> names;
    for (int i = 0; i < statement.columnCount(); ++i) {
        names.push_back(statement.columnName(i));
    }
    return names;
}
}  // namespace

Recordset Recordset::readAll(Statement& statement) {
    StatementReset reset(statement);
    std::vector<std::string> names = columnNamesOf(statement);
    const int columns = statement.columnCount();
    std::deque<Value> cells;
    while (statement.step()) {
        for (int i = 0; i < columns; ++i) {
            cells.push_back(statement.column(i));
        }
    }
    return Recordset(std::move(names), std::move(cells));
}

void Recordset::readEach(Statement& statement, const std::function<void(const Recordset&)>& row) {
    StatementReset reset(statement);
    const int columns = statement.columnCount();
    Recordset current(columnNamesOf(statement), {});
    while (statement.step()) {
        current.cells_.clear();
        for (int i = 0; i < columns; ++i) {
            current.cells_.push_back(statement.column(i));
        }
        current.rowCount_ = columns == 0 ? 0 : 1;
        current.current_ = 0;
        row(current);
    }
}

Recordset::Recordset(std::vector<std::string> columnNames, std::deque<Value> cells)
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
    // Callers mostly spell a name as the table does: that is found without folding case.
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) {
            return i;
        }
    }
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (equalsIgnoringCase(names_[i], name)) {
            return i;
        }
    }
    return names_.size();
}

}  // namespace kt
