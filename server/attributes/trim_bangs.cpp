#include "server/attributes/trim_bangs.h"

namespace kt {

std::string TrimBangs(std::string_view text) {
    if (const auto bang = text.find('!'); bang != std::string_view::npos) {
        text.remove_prefix(bang + 1);
    }
    const auto first = text.find_first_not_of('!');
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of('!') - first + 1));
}

}  // namespace kt
