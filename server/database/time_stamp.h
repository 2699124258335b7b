#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>

namespace kt {

// One moment in local time, in the two text forms the catalogue stores.
class TimeStamp {
public:
    static TimeStamp now();
    explicit TimeStamp(std::chrono::system_clock::time_point moment);
    explicit TimeStamp(const std::tm& local);

    // ent_last_modified: "mm-dd-yyyy hh:mm:ss", 24-hour clock.
    const std::string& lastModified() const { return lastModified_; }
    // A generated PIF ID: "yymmddhhnnss", "UF" and the entity's key.
    std::string pifId(std::int32_t entId) const;

private:
    std::string lastModified_;
    std::string pifPrefix_;
};

}  // namespace kt
