#pragma once

#include <string>
#include <string_view>

namespace kt {

// Splits an old notes text made of four fields, each followed by "!", into those fields with
// their blanks trimmed; text after the fourth "!" is ignored. A text with fewer than four "!"
// raises "Invalid procedure call or argument" and leaves the parts as they were.
void GetNewNotes(std::string_view notes, std::string& part1, std::string& part2, std::string& part3,
                 std::string& part4);

}  // namespace kt
