#pragma once

#include <chrono>
#include <optional>
#include <regex>
#include <string>

namespace kt::test {

// The wait that a message about another program's lock states ("the server waited 0.4
// seconds", "the server stopped after 0.002 seconds"); nothing when it states none.
inline std::optional<std::chrono::duration<double>> statedWait(const std::string& message) {
    static const std::regex kWait(
        R"(the server (waited|stopped after) (less than )?([0-9]+(\.[0-9]+)?) seconds?\.)");
    std::smatch found;
    if (!std::regex_search(message, found, kWait)) {
        return std::nullopt;
    }
    return std::chrono::duration<double>(found[2].matched ? 0.0 : std::stod(found[3].str()));
}

}  // namespace kt::test
