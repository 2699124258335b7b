#include "server/database/time_stamp.h"

#include <cstdio>
#include <regex>

#include "server/database/errors.h"

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

std::chrono::local_seconds lastModifiedDate(std::string_view text) {
    using namespace std::chrono;
    static const std::regex form(
        R"(\s*(\d{1,2})[-/](\d{1,2})[-/](\d{4})(?:\s+(\d{1,2}):(\d{2}):(\d{2}))?\s*)");
    std::match_results<std::string_view::const_iterator> parts;
    if (!std::regex_match(text.begin(), text.end(), parts, form)) {
        throw typeMismatch();
    }
    const auto number = [&](int index) {
        return parts[index].matched ? std::stoi(parts[index].str()) : 0;
    };
    const year_month_day date{year{number(3)}, month{unsigned(number(1))},
                              day{unsigned(number(2))}};
    const int hour = number(4);
    const int minute = number(5);
    const int second = number(6);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        throw typeMismatch();
    }
    return local_days{date} + hours{hour} + minutes{minute} + seconds{second};
}

}  // namespace kt
