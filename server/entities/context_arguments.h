#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kt {

// What an edit in a context reports back (ChanArr): pairs of public IDs, the old one in row 1
// and the one that replaces it in row 2, in columns 1 to Columns(). Row 0 and column 0 are
// never used; an edit that changed nothing leaves no column.
class ChangeArray {
public:
    ChangeArray() { Reset(); }

    // Back to rows 0 to 2 and column 0 only.
    void Reset() {
        for (auto& row : rows_) {
            row.assign(1, 0);
        }
    }
    void Append(std::int32_t oldID, std::int32_t newID) {
        rows_[0].push_back(0);
        rows_[1].push_back(oldID);
        rows_[2].push_back(newID);
    }
    // The upper bound of the second dimension: the number of pairs.
    std::size_t Columns() const { return rows_[1].size() - 1; }
    // The ID that replaced `oldID` (its first pair), or nothing.
    std::optional<std::int32_t> ReplacementOf(std::int32_t oldID) const {
        for (std::size_t column = 1; column <= Columns(); ++column) {
            if (rows_[1][column] == oldID) {
                return rows_[2][column];
            }
        }
        return std::nullopt;
    }
    // Row 0 to 2, column 0 to Columns().
    std::int32_t At(std::size_t row, std::size_t column) const { return rows_.at(row).at(column); }

private:
    std::array<std::vector<std::int32_t>, 3> rows_;
};

}  // namespace kt
