#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace vrn::bench {

// The plainest read of a file: line by line with std::getline, the floor a reader is set beside.
// Gives the number of lines.
inline std::int64_t ReadLines(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::int64_t lines = 0;
    while (std::getline(in, line)) {
        ++lines;
    }
    return lines;
}

}  // namespace vrn::bench
