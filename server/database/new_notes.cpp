#include "server/database/new_notes.h"

#include <array>

#include "server/database/blank_trim.h"
#include "server/database/errors.h"

namespace kt {

void GetNewNotes(std::string_view notes, std::string& part1, std::string& part2, std::string& part3,
                 std::string& part4) {
    std::array<std::string, 4> parts;
    for (std::string& part : parts) {
        const auto bang = notes.find('!');
        if (bang == std::string_view::npos) {
            throw invalidProcedureCall();
        }
        part = trimBlanks(notes.substr(0, bang));
        notes.remove_prefix(bang + 1);
    }
    part1 = std::move(parts[0]);
    part2 = std::move(parts[1]);
    part3 = std::move(parts[2]);
    part4 = std::move(parts[3]);
}

}  // namespace kt
