#include "server/database/time_stamp.h"

#include <cstdio>

namespace kt {

namespace {
std::tm localTime(std::chrono::system_clock::time_point moment) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
    localtime_r(&seconds, &local);
    return local;
}
}  // namespace

TimeStamp TimeStamp::now() {
    return TimeStamp(std::chrono::system_clock::now());
}

TimeStamp::TimeStamp(std::chrono::system_clock::time_point moment) : TimeStamp(localTime(moment)) {}

TimeStamp::TimeStamp(const std::tm& local) {
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%02d-%04d %02d:%02d:%02d", local.tm_mon + 1,
                  local.tm_mday, local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
    lastModified_ = text;
    std::snprintf(text, sizeof text, "%02d%02d%02d%02d%02d%02d", (local.tm_year + 1900) % 100,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    pifPrefix_ = text;
}

std::string TimeStamp::pifId(std::int32_t entId) const {
    return pifPrefix_ + "UF" + std::to_string(entId);
}

}  // namespace kt
