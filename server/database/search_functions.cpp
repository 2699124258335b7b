#include "server/database/search_functions.h"

#include <sqlite3.h>

#include <optional>
#include <string_view>

namespace kt {

namespace {

constexpr int kFunctionFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;

SearchGuard& guardOf(sqlite3_context* context) {
    return *static_cast<SearchGuard*>(sqlite3_user_data(context));
}

std::optional<std::string_view> textOf(sqlite3_value* value) {
    const auto* text = sqlite3_value_text(value);
    if (text == nullptr) {
        return std::nullopt;
    }
    return std::string_view(reinterpret_cast<const char*>(text),
                            static_cast<std::size_t>(sqlite3_value_bytes(value)));
}

// Fails the call, saying why, when the pattern is longer than the connection allows.
bool patternTooLong(sqlite3_context* context, sqlite3_value* pattern) {
    const int longest =
        sqlite3_limit(sqlite3_context_db_handle(context), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, -1);
    if (sqlite3_value_bytes(pattern) <= longest) {
        return false;
    }
    guardOf(context).refuse("A LIKE or GLOB pattern may be at most " + std::to_string(longest) +
                            " bytes long.");
    sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
    return true;
}

// The answer of one match: 1 or 0, or the interrupt when the search ran out of time.
void answer(sqlite3_context* context, WildcardMatch result) {
    switch (result) {
        case WildcardMatch::Match:
            sqlite3_result_int(context, 1);
            break;
        case WildcardMatch::NoMatch:
            sqlite3_result_int(context, 0);
            break;
        case WildcardMatch::Stopped:
            sqlite3_result_error_code(context, SQLITE_INTERRUPT);
            break;
    }
}

// The pattern read at an earlier row of the statement, when the call's is a constant read
// under the same rules.
const WildcardPattern* keptPattern(sqlite3_context* context, const WildcardRules& rules) {
    const auto* kept = static_cast<const WildcardPattern*>(sqlite3_get_auxdata(context, 0));
    return kept != nullptr && kept->rules() == rules ? kept : nullptr;
}

// Matches the text of argument 1 with the pattern of argument 0: Null when either is Null.
void match(sqlite3_context* context, sqlite3_value** arguments, const WildcardRules& rules) {
    const SearchGuard& guard = guardOf(context);
    const auto text = textOf(arguments[1]);
    if (const WildcardPattern* kept = keptPattern(context, rules)) {
        if (text) {
            answer(context, kept->match(*text, guard));
        }
        return;
    }
    if (patternTooLong(context, arguments[0])) {
        return;
    }
    const auto pattern = textOf(arguments[0]);
    if (!pattern || !text) {
        return;
    }
    const WildcardPattern read(*pattern, rules);
    answer(context, read.match(*text, guard));
    // The engine keeps the copy while the pattern stays the same, or lets it go at once.
    sqlite3_set_auxdata(context, 0, new WildcardPattern(read),
                        [](void* kept) { delete static_cast<WildcardPattern*>(kept); });
}

// like(pattern, text) and like(pattern, text, escape) as the engine has them: Null when an
// argument is Null, an error for a pattern past the connection's limit and for an escape that
// is not one character.
void like(sqlite3_context* context, int count, sqlite3_value** arguments) {
    std::optional<char32_t> escape;
    if (count == 3) {
        if (patternTooLong(context, arguments[0])) {
            return;
        }
        const auto escapeText = textOf(arguments[2]);
        if (!escapeText) {
            return;
        }
        if (utf8CharacterCount(*escapeText) != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = firstUtf8Character(*escapeText);
    }
    match(context, arguments, likeRules(escape));
}

void glob(sqlite3_context* context, int /*count*/, sqlite3_value** arguments) {
    match(context, arguments, globRules());
}

void refusedTrim(sqlite3_context* context, int /*count*/, sqlite3_value** /*arguments*/) {
    guardOf(context).refuse(
        "The query may not call trim, ltrim or rtrim with the characters to take off.");
    sqlite3_result_error(context, "not authorized", -1);
}

}  // namespace

void installSearchFunctions(sqlite3* connection, SearchGuard& guard) {
    sqlite3_create_function(connection, "like", 2, kFunctionFlags, &guard, like, nullptr, nullptr);
    sqlite3_create_function(connection, "like", 3, kFunctionFlags, &guard, like, nullptr, nullptr);
    sqlite3_create_function(connection, "glob", 2, kFunctionFlags, &guard, glob, nullptr, nullptr);
    for (const char* trim : {"trim", "ltrim", "rtrim"}) {
        sqlite3_create_function(connection, trim, 2, kFunctionFlags, &guard, refusedTrim, nullptr,
                                nullptr);
    }
}

}  // namespace kt
