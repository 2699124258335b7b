#include "server/database/search_functions.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

#include "server/database/wildcard_match.h"

namespace kt {
namespace {

// A search that never runs out of time and keeps what it refused.
class PatientGuard : public SearchGuard {
public:
    bool keepGoing() const override { return true; }
    void refuse(std::string reason) override { refusal = std::move(reason); }
    std::string refusal;
};

// An in-memory connection, with the search's functions or with the engine's own.
class Connection {
public:
    explicit Connection(SearchGuard* guard) {
        sqlite3_open(":memory:", &connection_);
        if (guard != nullptr) {
            installSearchFunctions(connection_, *guard);
        }
    }
    ~Connection() { sqlite3_close(connection_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The one value of a SELECT over text arguments, as text: "NULL", the number, or
    // "error: " and the message.
    std::string answer(const std::string& sql, const std::vector<std::string>& arguments) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(connection_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
            return "error: " + std::string(sqlite3_errmsg(connection_));
        }
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            sqlite3_bind_text(statement, static_cast<int>(i + 1), arguments[i].data(),
                              static_cast<int>(arguments[i].size()), SQLITE_TRANSIENT);
        }
        std::string result;
        if (sqlite3_step(statement) == SQLITE_ROW) {
            const auto* text = sqlite3_column_text(statement, 0);
            result = text ? reinterpret_cast<const char*>(text) : "NULL";
        } else {
            result = "error: " + std::string(sqlite3_errmsg(connection_));
        }
        sqlite3_finalize(statement);
        return result;
    }

    sqlite3* handle() { return connection_; }

private:
    sqlite3* connection_ = nullptr;
};

class SearchFunctions : public ::testing::Test {
protected:
    // The same call on both connections gives the same answer.
    void expectSame(const std::string& sql, const std::vector<std::string>& arguments) {
        EXPECT_EQ(ours_.answer(sql, arguments), engines_.answer(sql, arguments))
            << sql << " with \"" << arguments[0] << "\", \"" << arguments[1] << "\"";
    }

    PatientGuard guard_;
    Connection ours_{&guard_};
    Connection engines_{nullptr};
};

TEST_F(SearchFunctions, LikeAndGlobAnswerAsTheEnginesOwnOnChosenCases) {
    struct Case {
        std::string pattern;
        std::string text;
    };
    const Case cases[] = {
        {"Pump%", "pump house"},
        {"%ump_", "Pumps"},
        {"%", ""},
        {"_", ""},
        {"a%b%c", "aXbYc"},
        {"a%b%c", "aXcYb"},
        {"%%a__", "xxaYZ"},
        {"caf\xc3\xa9", "CAF\xc3\xa9"},
        {"CAF\xc3\x89", "caf\xc3\xa9"},
        {"_", "\xc3\xa9"},
        {"__", "\xe2\x82\xac"},
        {std::string("a\0b", 3), "a"},
        {"[a-c]x", "bx"},
        {"[^a-c]x", "bx"},
        {"[]]", "]"},
        {"[^]]", "a"},
        {"[a-]", "-"},
        {"[-a]", "-"},
        {"[z-a]", "z"},
        {"[a-c-e]", "-"},
        {"[a-c-e]", "d"},
        {"[abc", "a"},
        {"*[bc", ""},
        {"*?", ""},
        {"\x80%", "\x80x"},
        {"%\xff", "a\xff"},
        {"a*b?c", "aXXbYc"},
        {"Pump%", "Pu"},
        {"Pump%", "Pu\xc3\xadmp"},
        {"PUMP%%", "pump"},
    };
    for (const Case& c : cases) {
        for (const char* sql : {"SELECT ?2 LIKE ?1", "SELECT ?2 GLOB ?1"}) {
            expectSame(sql, {c.pattern, c.text});
        }
    }
}

TEST_F(SearchFunctions, EscapesAnswerAsTheEnginesOwn) {
    const std::vector<std::vector<std::string>> calls{
        {"10\\%", "10%", "\\"}, {"10\\%", "100", "\\"},   {"a\\", "a", "\\"},
        {"%\\", "", "\\"},      {"a%%", "a%", "%"},       {"a%%", "ab", "%"},
        {"a__", "a_", "_"},     {"xAx", "xax", "x"},      {"a%", "ab", ""},
        {"a%", "ab", "ab"},     {"a%", "ab", "\xc3\xa9"},
    };
    for (const auto& call : calls) {
        expectSame("SELECT like(?1, ?2, ?3)", call);
    }
    expectSame("SELECT like(?1, ?2, NULL)", {"a", "a"});
    expectSame("SELECT like(NULL, ?2)", {"a", "a"});
    expectSame("SELECT like(?1, NULL)", {"a", "a"});
}

TEST_F(SearchFunctions, RandomPatternsAnswerAsTheEnginesOwn) {
    // Small alphabets, so that wildcards, sets, cases and odd bytes meet often.
    const std::vector<std::string> patternPieces{
        "a",    "A",   "b", "%", "_",  "*",        "?",
        "[",    "]",   "^", "-", "\\", "\xc3\xa9", "\xe2\x82\xac",
        "\x80", "\xff"};
    const std::vector<std::string> textPieces{
        "a", "A", "b", "-", "]", "\\", "%", "\xc3\xa9", "\xc3\x89", "\xe2\x82\xac", "\x80"};
    std::mt19937 random(2024);
    const auto draw = [&](const std::vector<std::string>& pieces, int most) {
        std::string drawn;
        const int length = static_cast<int>(random() % static_cast<unsigned>(most + 1));
        for (int i = 0; i < length; ++i) {
            drawn += pieces[random() % pieces.size()];
        }
        return drawn;
    };
    for (int round = 0; round < 5000; ++round) {
        const std::string pattern = draw(patternPieces, 6);
        const std::string text = draw(textPieces, 7);
        expectSame("SELECT ?2 LIKE ?1", {pattern, text});
        expectSame("SELECT ?2 GLOB ?1", {pattern, text});
        expectSame("SELECT like(?1, ?2, '\\')", {pattern, text});
    }
}

TEST_F(SearchFunctions, LongPatternsAndSecondTrimArgumentsAreRefusedWithTheirReason) {
    sqlite3_limit(ours_.handle(), SQLITE_LIMIT_LIKE_PATTERN_LENGTH, 10);
    EXPECT_EQ(ours_.answer("SELECT ?2 LIKE ?1", {"%aaaaaaaaaa", "a"}),
              "error: LIKE or GLOB pattern too complex");
    EXPECT_EQ(guard_.refusal, "A LIKE or GLOB pattern may be at most 10 bytes long.");
    EXPECT_EQ(ours_.answer("SELECT ?2 GLOB ?1", {"*aaaaaaaa", "a"}), "0");

    for (const char* trim : {"trim", "ltrim", "rtrim"}) {
        guard_.refusal.clear();
        EXPECT_EQ(ours_.answer("SELECT " + std::string(trim) + "(?1)", {" a "}),
                  engines_.answer("SELECT " + std::string(trim) + "(?1)", {" a "}));
        EXPECT_EQ(ours_.answer("SELECT " + std::string(trim) + "(?1, ?2)", {"xax", "x"}),
                  "error: not authorized");
        EXPECT_NE(guard_.refusal.find("with the characters to take off"), std::string::npos);
    }
}

// Says yes a given number of times, then no.
class CountedDeadline : public MatchDeadline {
public:
    explicit CountedDeadline(int yes) : yes_(yes) {}
    bool keepGoing() const override { return ++asked <= yes_; }
    mutable int asked = 0;

private:
    int yes_;
};

TEST(WildcardMatch, AMatchStopsWhenTheSearchRunsOutOfTime) {
    const std::string text(200000, 'a');
    const std::string pattern = "%" + std::string(200, 'a') + "b%";
    const CountedDeadline twice(2);
    EXPECT_EQ(wildcardMatch(pattern, text, likeRules(std::nullopt), twice), WildcardMatch::Stopped);
    EXPECT_EQ(twice.asked, 3);
    EXPECT_EQ(wildcardMatch(pattern, text + "b", likeRules(std::nullopt), CountedDeadline(1 << 30)),
              WildcardMatch::Match);
}

}  // namespace
}  // namespace kt
