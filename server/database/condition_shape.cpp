#include "server/database/condition_shape.h"

#include <optional>

#include "server/database/text_compare.h"

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

// Characters of a bare name or keyword, as the engine reads them.
bool isNameCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || byte >= 0x80;
}

// The text a quoted name stands for: the quotes taken off and doubled closers made single.
std::string unquoted(std::string_view quoted) {
    const char close = quoted.front() == '[' ? ']' : quoted.front();
    std::string text;
    for (std::size_t at = 1; at + 1 < quoted.size(); ++at) {
        text += quoted[at];
        if (close != ']' && quoted[at] == close) {
            ++at;
        }
    }
    return text;
}

// Walks the condition's tokens, skipping blanks and comments, and says what keeps it from
// standing whole inside a pair of parentheses of ours.
class ShapeScan {
public:
    explicit ShapeScan(std::string_view condition) : text_(condition) {}

    std::string fault() {
        for (at_ = 0; at_ < text_.size(); ++at_) {
            if (std::string found = step(); !found.empty()) {
                return found;
            }
        }
        if (depth_ > 0) {
            return "a parenthesis it opens is not closed";
        }
        return empty_ ? "it is empty" : "";
    }

private:
    // Reads the token at at_, leaving at_ on its last character.
    std::string step() {
        const char c = text_[at_];
        const char next = at_ + 1 < text_.size() ? text_[at_ + 1] : '\0';
        if (c == '-' && next == '-') {
            const std::size_t end = text_.find('\n', at_);
            at_ = end == npos ? text_.size() : end;
            return {};
        }
        if (c == '/' && next == '*') {
            const std::size_t end = text_.find("*/", at_ + 2);
            if (end == npos) {
                return "a comment it opens is not closed";
            }
            at_ = end + 1;
            return {};
        }
        if (isBlank(c)) {
            return {};
        }
        empty_ = false;
        std::optional<std::string> name;
        std::string found = token(c, name);
        lastName_ = std::move(name);
        return found;
    }

    // Reads one token that is not a blank or a comment; `name` receives the name it stands
    // for when it can be a name.
    std::string token(char c, std::optional<std::string>& name) {
        switch (c) {
            case '\'':
            case '"':
            case '`':
            case '[': {
                const std::size_t end = closingQuote(text_, at_);
                if (end == npos) {
                    return "a quote it opens is not closed";
                }
                name = unquoted(text_.substr(at_, end - at_ + 1));
                at_ = end;
                return {};
            }
            case '(':
                ++depth_;
                return {};
            case ')':
                return --depth_ < 0 ? "it closes a parenthesis it did not open" : "";
            case ';':
                return "it ends the statement with \";\"";
            case '.':
                // Only the searched table's live rows are there to read, under its own name.
                if (lastName_ && (equalsIgnoringCase(*lastName_, "main") ||
                                  equalsIgnoringCase(*lastName_, "temp"))) {
                    return "it names a table with its schema (\"" + *lastName_ + ".\")";
                }
                return {};
            default:
                return word(c, name);
        }
    }

    // A bare word or number. A number runs on through the name characters that follow it.
    std::string word(char c, std::optional<std::string>& name) {
        if (!isNameCharacter(c)) {
            return {};
        }
        std::size_t end = at_;
        while (end + 1 < text_.size() && isNameCharacter(text_[end + 1])) {
            ++end;
        }
        const std::string_view found = text_.substr(at_, end - at_ + 1);
        at_ = end;
        if ((c >= '0' && c <= '9') || c == '$') {
            return {};
        }
        if (equalsIgnoringCase(found, "with")) {
            return "it holds a WITH clause";
        }
        name = std::string(found);
        return {};
    }

    std::string_view text_;
    std::size_t at_ = 0;
    int depth_ = 0;
    bool empty_ = true;
    std::optional<std::string> lastName_;
};

}  // namespace

std::string conditionShapeFault(std::string_view condition) {
    return ShapeScan(condition).fault();
}

}  // namespace kt
