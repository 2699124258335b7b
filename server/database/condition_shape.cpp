#include "server/database/condition_shape.h"

namespace kt {

namespace {

constexpr auto npos = std::string_view::npos;

// Where the quote opened at `open` ends, or npos. Inside '...', "..." and `...` a doubled
// closing character stands for itself; [...] has no escape.
std::size_t closingQuote(std::string_view text, std::size_t open) {
    const char close = text[open] == '[' ? ']' : text[open];
    for (std::size_t at = open + 1; at < text.size(); ++at) {
        if (text[at] != close) {
            continue;
        }
        if (close != ']' && at + 1 < text.size() && text[at + 1] == close) {
            ++at;
            continue;
        }
        return at;
    }
    return npos;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

}  // namespace

std::string conditionShapeFault(std::string_view condition) {
    int depth = 0;
    bool empty = true;
    for (std::size_t at = 0; at < condition.size(); ++at) {
        const char c = condition[at];
        const char next = at + 1 < condition.size() ? condition[at + 1] : '\0';
        if (c == '-' && next == '-') {
            const std::size_t end = condition.find('\n', at);
            at = end == npos ? condition.size() : end;
            continue;
        }
        if (c == '/' && next == '*') {
            const std::size_t end = condition.find("*/", at + 2);
            if (end == npos) {
                return "a comment it opens is not closed";
            }
            at = end + 1;
            continue;
        }
        if (isBlank(c)) {
            continue;
        }
        empty = false;
        switch (c) {
            case '\'':
            case '"':
            case '`':
            case '[': {
                const std::size_t end = closingQuote(condition, at);
                if (end == npos) {
                    return "a quote it opens is not closed";
                }
                at = end;
                break;
            }
            case '(':
                ++depth;
                break;
            case ')':
                if (--depth < 0) {
                    return "it closes a parenthesis it did not open";
                }
                break;
            case ';':
                return "it ends the statement with \";\"";
            default:
                break;
        }
    }
    if (depth > 0) {
        return "a parenthesis it opens is not closed";
    }
    if (empty) {
        return "it is empty";
    }
    return {};
}

}  // namespace kt
