#include "server/entities/slot_path.h"

#include <charconv>

#include "server/database/errors.h"

namespace kt {

namespace {

constexpr std::string_view kNoPath = "-";

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::vector<std::string> parseSlotPath(std::string& path) {
    std::vector<std::string> elements{std::string(), std::string(kNoPath)};
    std::size_t next = 1;
    std::string_view rest = path;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const std::string_view element = rest.substr(0, comma);
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        if (next == elements.size()) {
            elements.emplace_back();
        }
        elements[next++] = std::string(element);
    }
    path.clear();
    return elements;
}

std::int32_t slotOfElement(std::string_view element) {
    const std::string_view text = trimmed(element);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        throw typeMismatch();
    }
    return number;
}

bool contextPathHasSlot(std::string_view contextPath, std::int32_t slot) {
    std::size_t start = 0;
    while (start <= contextPath.size()) {
        const std::size_t stop = contextPath.find_first_of(",:", start);
        const std::string_view token = trimmed(contextPath.substr(
            start, stop == std::string_view::npos ? std::string_view::npos : stop - start));
        std::int32_t number = 0;
        const auto [end, error] =
            std::from_chars(token.data(), token.data() + token.size(), number);
        if (!token.empty() && error == std::errc() && end == token.data() + token.size() &&
            number == slot) {
            return true;
        }
        if (stop == std::string_view::npos) {
            break;
        }
        start = stop + 1;
    }
    return false;
}

std::string startSlotPart(std::string_view contextPath) {
    // Up to the first "," or ":", whichever comes first: a one-slot start side ends at ":".
    const std::size_t stop = contextPath.find_first_of(",:");
    return stop == std::string_view::npos ? std::string()
                                          : std::string(contextPath.substr(0, stop));
}

std::string endSlotPart(std::string_view contextPath) {
    const std::size_t colon = contextPath.find(':');
    if (colon == std::string_view::npos) {
        return {};
    }
    const std::string_view end = contextPath.substr(colon + 1);
    return std::string(end.substr(0, end.find(',')));
}

}  // namespace kt
