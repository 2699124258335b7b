#include <gtest/gtest.h>

#include <string>

#include "model/file/quote_escaping.h"

namespace vrn::testing {
namespace {

TEST(QuoteEscapingTest, EncodeReplacesEveryQuoteAndReportsIt) {
    struct Case {
        std::string in;
        std::string out;
        bool changed;
    };
    const Case cases[] = {
        {"", "", false},
        {"no quotes", "no quotes", false},
        {"say \"hi\"", "say #quote#hi#quote#", true},
        {"\"", "#quote#", true},
        {"#quote#", "#quote#", false},  // the escape itself is not escaped
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        bool changed = !c.changed;
        Encode_Quotes(s, changed);
        EXPECT_EQ(s, c.out) << c.in;
        EXPECT_EQ(changed, c.changed) << c.in;
    }
}

TEST(QuoteEscapingTest, DecodeScansOnceFromTheLeft) {
    struct Case {
        std::string in;
        std::string out;
        bool changed;
    };
    const Case cases[] = {
        {"", "", false},
        {"#quote", "#quote", false},
        {"#QUOTE#", "#QUOTE#", false},  // case-sensitive
        {"#quote##quote#", "\"\"", true},
        {"a#quote#b", "a\"b", true},
        {"##quote#quote#", "#\"quote#", true},  // what decoding produced is not rescanned
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        bool changed = !c.changed;
        Decode_Quotes(s, changed);
        EXPECT_EQ(s, c.out) << c.in;
        EXPECT_EQ(changed, c.changed) << c.in;
    }
}

}  // namespace
}  // namespace vrn::testing
