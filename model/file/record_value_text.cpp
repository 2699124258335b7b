#include "model/file/record_value_text.h"

#include <strings.h>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>

namespace vrn {

namespace {

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

std::optional<std::int64_t> WholeNumberFromText(std::string_view text) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // from_chars would also take "inf" and "nan"; a number starts with a digit or a point.
    if (text.empty() ||
        !(std::isdigit(static_cast<unsigned char>(text.front())) != 0 || text.front() == '.')) {
        return std::nullopt;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    constexpr double kLargestExact = 9007199254740992.0;  // 2^53
    const double rounded = std::nearbyint(negative ? -value : value);
    if (!std::isfinite(rounded) || std::fabs(rounded) > kLargestExact) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(rounded);
}

std::optional<bool> TruthValueFromText(std::string_view text) {
    text = Trimmed(text);
    if (text == "#TRUE#" || EqualsIgnoringCase(text, "True")) {
        return true;
    }
    if (text == "#FALSE#" || EqualsIgnoringCase(text, "False")) {
        return false;
    }
    if (const auto number = WholeNumberFromText(text)) {
        return *number != 0;
    }
    return std::nullopt;
}

std::string NumberText(float value) {
    // A number the reader could not take back (infinite, not a number) is written as 0.
    if (!std::isfinite(value)) {
        value = 0;
    }
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string ShortenedForMessage(std::string_view text) {
    constexpr std::size_t kLongest = 40;
    if (text.size() <= kLongest) {
        return std::string(text);
    }
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) {
        --cut;  // never split a character
    }
    return std::string(text.substr(0, cut)) + "...";
}

}  // namespace vrn
