#pragma once

#include <string>
#include <string_view>

namespace kt {

// What keeps a host's search condition from standing, whole, inside a pair of parentheses of
// ours, or empty when nothing does. The condition must close every parenthesis it opens and
// no other, end no statement, and close every quote and block comment it opens; a "--" comment
// may run to its end. Text inside quotes and comments does not count. It may hold no WITH
// clause and name no table with its schema ("main.", "temp."): the searched table's name is
// all that reaches its rows, and only its live ones.
std::string conditionShapeFault(std::string_view condition);

}  // namespace kt
