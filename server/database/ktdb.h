#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kt {

// The host's entry object. It holds nothing itself: every member works on the shared database
// object (global_db), and creating a KTDB opens nothing.
class KTDB {
public:
    void OpenDB(const std::string& filepath);
    void OpenDB(const std::string& filepath, std::optional<bool>& version_test,
                std::string& Upgrade_Description);
    void CloseDB();

    // "major.minor.revision" of the server.
    std::string Version() const;
    // Kept for hosts that call it; it has nothing to do.
    void ExitProcess() {}

    void CleanDB(std::int16_t Operation_type, std::int32_t& OK_Count,
                 std::int32_t& Corrected_count);
    void GetStatistics(std::vector<std::string>& Statistic, std::vector<std::int32_t>& Values,
                       std::int32_t& Count);
};

}  // namespace kt
