#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kt {

// How a pattern is read: LIKE has "%", "_", an optional escape character and folds the case of
// ASCII letters; GLOB has "*", "?" and character sets "[...]" and keeps case. A wildcard equal
// to the escape character is not one.
struct WildcardRules {
    char32_t many;
    char32_t one;
    std::optional<char32_t> escape;
    bool sets = false;
    bool foldAsciiCase = false;

    bool operator==(const WildcardRules&) const = default;
};

WildcardRules likeRules(std::optional<char32_t> escape);
WildcardRules globRules();

enum class WildcardMatch { Match, NoMatch, Stopped };

// Asked every few thousand steps of a match whether it may go on.
class MatchDeadline {
public:
    virtual ~MatchDeadline() = default;
    virtual bool keepGoing() const = 0;
};

// A pattern read once, to match many texts as the engine's LIKE and GLOB do: character by
// character in UTF-8 (read as leniently as the engine reads it), pattern and text each ending
// at their first NUL. The work of a match grows with the product of the two lengths at worst;
// every few thousand steps `deadline` is asked, and a false answer ends the match as Stopped.
class WildcardPattern {
public:
    WildcardPattern(std::string_view pattern, const WildcardRules& rules);

    const WildcardRules& rules() const { return rules_; }
    WildcardMatch match(std::string_view text, const MatchDeadline& deadline) const;

    // One element of the pattern.
    struct Piece {
        enum Kind { Many, One, Character, Set, Never } kind;
        char32_t character = 0;
        std::vector<std::pair<char32_t, char32_t>> ranges{};
        bool inverted = false;
    };

private:
    WildcardRules rules_;
    std::vector<Piece> pieces_;
    // The pattern's opening run of ASCII characters (in lower case where case is folded), which
    // a match compares byte by byte: most searches name the start of a name.
    std::string openingAscii_;
    // Where the pattern's closing run of "many" begins: once a match reaches it, the rest of
    // the text matches whatever it holds. The size of pieces_ when the pattern ends otherwise.
    std::size_t closingManyFrom_;
};

// One match of a pattern read for it alone.
WildcardMatch wildcardMatch(std::string_view pattern, std::string_view text,
                            const WildcardRules& rules, const MatchDeadline& deadline);

// The characters of a UTF-8 text as the engine counts them.
std::size_t utf8CharacterCount(std::string_view text);
// The first character of a UTF-8 text as the engine reads it; 0 for an empty text.
char32_t firstUtf8Character(std::string_view text);

}  // namespace kt
