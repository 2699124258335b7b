#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

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
    // "yymmddhhnnss", the start of every generated identifier.
    const std::string& identifierPrefix() const { return pifPrefix_; }

private:
    std::string lastModified_;
    std::string pifPrefix_;
};

// The local date and time of a stored ent_last_modified text: "mm-dd-yyyy hh:mm:ss", as
// written, with one-digit fields, "/" separators and a missing time (midnight) also read.
// Anything else is refused with "Type mismatch".
std::chrono::local_seconds lastModifiedDate(std::string_view text);

}  // namespace kt
