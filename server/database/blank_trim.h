#pragma once

#include <string_view>

namespace kt {

// The text without its leading and trailing blanks, as the automation run time's Trim gives it.
inline std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace kt
