#include "server/database/wildcard_match.h"

#include <array>
#include <cstdint>
#include <vector>

namespace kt {

namespace {

// Steps of a match between two questions to keepGoing.
constexpr std::uint32_t kStepsBetweenChecks = 4096;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kAsciiEnd = 0x80;

// The value bits of a lead byte 0xC0..0xFF; the engine reads any number of continuation bytes.
constexpr std::array<std::uint8_t, 64> kLeadBits{
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x10, 0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x1b, 0x1c, 0x1d, 0x1e, 0x1f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f,
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x00, 0x01, 0x02, 0x03, 0x00, 0x01, 0x00, 0x00,
};

// Reads the character at `at` and moves past it.
char32_t readCharacter(std::string_view text, std::size_t& at) {
    std::uint32_t c = static_cast<unsigned char>(text[at++]);
    if (c < 0xc0) {
        return c;
    }
    c = kLeadBits[c - 0xc0];
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xc0) == 0x80) {
        c = (c << 6) + (static_cast<unsigned char>(text[at++]) & 0x3f);
    }
    if (c < kAsciiEnd || (c & 0xFFFFF800) == 0xD800 || (c & 0xFFFFFFFE) == 0xFFFE) {
        return kReplacement;
    }
    return c;
}

std::string_view upToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

char32_t asciiLower(char32_t c) {
    return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

using Piece = WildcardPattern::Piece;

// A set after its "[": members and ranges up to the closing "]", read as the engine reads
// them; a set left open never matches.
Piece readSet(std::string_view pattern, std::size_t& at) {
    Piece set{Piece::Set};
    const auto next = [&]() -> char32_t {
        return at < pattern.size() ? readCharacter(pattern, at) : 0;
    };
    char32_t c = next();
    if (c == '^') {
        set.inverted = true;
        c = next();
    }
    if (c == ']') {
        set.ranges.emplace_back(']', ']');
        c = next();
    }
    char32_t prior = 0;
    while (c != 0 && c != ']') {
        const bool range = c == '-' && at < pattern.size() && pattern[at] != ']' && prior > 0;
        if (range) {
            const char32_t last = next();
            set.ranges.emplace_back(prior, last);
            prior = 0;
        } else {
            set.ranges.emplace_back(c, c);
            prior = c;
        }
        c = next();
    }
    return c == 0 ? Piece{Piece::Never} : set;
}

std::vector<Piece> compile(std::string_view pattern, const WildcardRules& rules) {
    std::vector<Piece> pieces;
    std::size_t at = 0;
    while (at < pattern.size()) {
        const char32_t c = readCharacter(pattern, at);
        if (c == rules.many && rules.many != rules.escape) {
            pieces.push_back({Piece::Many});
        } else if (rules.escape && c == *rules.escape) {
            if (at == pattern.size()) {
                pieces.push_back({Piece::Never});
                break;
            }
            pieces.push_back({Piece::Character, readCharacter(pattern, at)});
        } else if (rules.sets && c == '[') {
            pieces.push_back(readSet(pattern, at));
            if (pieces.back().kind == Piece::Never) {
                break;
            }
        } else if (c == rules.one && rules.one != rules.escape) {
            pieces.push_back({Piece::One});
        } else {
            pieces.push_back({Piece::Character, c});
        }
    }
    return pieces;
}

std::string openingAsciiRun(const std::vector<Piece>& pieces, bool foldAsciiCase) {
    std::string run;
    for (const Piece& piece : pieces) {
        if (piece.kind != Piece::Character || piece.character >= kAsciiEnd) {
            break;
        }
        const char32_t c = foldAsciiCase ? asciiLower(piece.character) : piece.character;
        run.push_back(static_cast<char>(c));
    }
    return run;
}

std::size_t closingManyStart(const std::vector<Piece>& pieces) {
    std::size_t start = pieces.size();
    while (start > 0 && pieces[start - 1].kind == Piece::Many) {
        --start;
    }
    return start;
}

bool matchesOne(const Piece& piece, char32_t c, bool foldAsciiCase) {
    switch (piece.kind) {
        case Piece::One:
            return true;
        case Piece::Character:
            return piece.character == c ||
                   (foldAsciiCase && piece.character < kAsciiEnd && c < kAsciiEnd &&
                    asciiLower(piece.character) == asciiLower(c));
        case Piece::Set: {
            bool seen = false;
            for (const auto& [first, last] : piece.ranges) {
                seen = seen || (c >= first && c <= last);
            }
            return seen != piece.inverted;
        }
        default:
            return false;
    }
}

}  // namespace

WildcardRules likeRules(std::optional<char32_t> escape) {
    return {U'%', U'_', escape, false, true};
}

WildcardRules globRules() {
    return {U'*', U'?', std::nullopt, true, false};
}

WildcardPattern::WildcardPattern(std::string_view pattern, const WildcardRules& rules)
    : rules_(rules),
      pieces_(compile(upToNul(pattern), rules)),
      openingAscii_(openingAsciiRun(pieces_, rules.foldAsciiCase)),
      closingManyFrom_(closingManyStart(pieces_)) {}

// Every piece but "many" takes one character, so the last "many" passed is the only point
// worth going back to: on a mismatch it takes one more character and the rest is tried again.
WildcardMatch WildcardPattern::match(std::string_view text, const MatchDeadline& deadline) const {
    text = upToNul(text);
    // A byte of 0x80 or more starts a character that is not ASCII, so bytes compare as
    // characters here.
    if (text.size() < openingAscii_.size()) {
        return WildcardMatch::NoMatch;
    }
    for (std::size_t i = 0; i < openingAscii_.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((rules_.foldAsciiCase ? asciiLower(c) : c) != static_cast<char32_t>(openingAscii_[i])) {
            return WildcardMatch::NoMatch;
        }
    }
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t piece = openingAscii_.size();
    std::size_t at = openingAscii_.size();
    std::size_t afterMany = kNone;
    std::size_t retryAt = 0;
    std::uint32_t steps = 0;
    while (at < text.size()) {
        if (++steps % kStepsBetweenChecks == 0 && !deadline.keepGoing()) {
            return WildcardMatch::Stopped;
        }
        if (piece < pieces_.size() && pieces_[piece].kind == Piece::Many) {
            if (piece >= closingManyFrom_) {
                return WildcardMatch::Match;
            }
            afterMany = ++piece;
            retryAt = at;
            continue;
        }
        std::size_t next = at;
        const char32_t c = readCharacter(text, next);
        if (piece < pieces_.size() && matchesOne(pieces_[piece], c, rules_.foldAsciiCase)) {
            ++piece;
            at = next;
        } else if (afterMany != kNone) {
            readCharacter(text, retryAt);
            piece = afterMany;
            at = retryAt;
        } else {
            return WildcardMatch::NoMatch;
        }
    }
    while (piece < pieces_.size() && pieces_[piece].kind == Piece::Many) {
        ++piece;
    }
    return piece == pieces_.size() ? WildcardMatch::Match : WildcardMatch::NoMatch;
}

WildcardMatch wildcardMatch(std::string_view pattern, std::string_view text,
                            const WildcardRules& rules, const MatchDeadline& deadline) {
    return WildcardPattern(pattern, rules).match(text, deadline);
}

std::size_t utf8CharacterCount(std::string_view text) {
    text = upToNul(text);
    std::size_t count = 0;
    for (std::size_t at = 0; at < text.size(); ++count) {
        readCharacter(text, at);
    }
    return count;
}

char32_t firstUtf8Character(std::string_view text) {
    std::size_t at = 0;
    return text.empty() ? 0 : readCharacter(text, at);
}

}  // namespace kt
