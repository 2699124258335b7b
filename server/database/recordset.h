#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/database/field.h"
#include "server/database/value.h"

namespace kt {

class Statement;

// A snapshot: every row of a SELECT, read when it is opened. Rows that the caller inserts or
// changes while walking it are not seen, so callers may update the rows they iterate.
class Recordset {
public:
    // Runs the statement (already bound) to its end and resets it.
    static Recordset readAll(Statement& statement);
    // The same, handing each row to `row` as a set of that one row, read as the statement
    // steps; nothing is kept from one row to the next.
    static void readEach(Statement& statement, const std::function<void(const Recordset&)>& row);

    Recordset(std::vector<std::string> columnNames, std::deque<Value> cells);

    bool eof() const { return current_ >= rowCount_; }
    // Every row, the set being read whole when it is opened.
    std::size_t recordCount() const { return rowCount_; }
    void moveFirst() { current_ = 0; }
    // Refused at the end: "No current record.".
    void moveNext();

    std::size_t fieldCount() const { return names_.size(); }
    const std::vector<std::string>& columnNames() const { return names_; }

    // By column name, without regard to case; an unknown name is refused with
    // "Item not found in this collection.", any field past the end with "No current record.".
    Field field(std::string_view name) const;
    Field field(std::size_t index) const;
    Field operator[](std::string_view name) const { return field(name); }

private:
    std::size_t columnIndex(std::string_view name) const;

    std::vector<std::string> names_;
    // In blocks: a large set grows without moving what it holds, and the memory of one set is
    // taken up again by the next.
    std::deque<Value> cells_;
    std::size_t rowCount_;
    std::size_t current_ = 0;
};

}  // namespace kt
