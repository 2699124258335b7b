#include <gtest/gtest.h>

#include <string>

#include "model/file/quote_escaping.h"

namespace vrn::testing {
namespace {

TEST(QuoteEscapingTest, EncodeAndDecodeReportWhetherTheyChangedAnything) {
    using Coding = void (*)(std::string&, bool&);
    struct Case {
        Coding code;
        std::string in;
        std::string out;
        bool changed;
    };
    const Case cases[] = {
        {Encode_Quotes, "", "", false},
        {Encode_Quotes, "no quotes", "no quotes", false},
        {Encode_Quotes, "say \"hi\"", "say #quote#hi#quote#", true},
        {Encode_Quotes, "\"", "#quote#", true},
        {Encode_Quotes, "#quote#", "#quote#", false},  // the escape itself is not escaped
        {Decode_Quotes, "", "", false},
        {Decode_Quotes, "#quote", "#quote", false},
        {Decode_Quotes, "#QUOTE#", "#QUOTE#", false},  // case-sensitive
        {Decode_Quotes, "#quote##quote#", "\"\"", true},
        {Decode_Quotes, "a#quote#b", "a\"b", true},
        // Scanned once from the left: what decoding produced is not looked at again.
        {Decode_Quotes, "##quote#quote#", "#\"quote#", true},
    };
    for (const auto& c : cases) {
        std::string s = c.in;
        bool changed = !c.changed;
        c.code(s, changed);
        EXPECT_EQ(s, c.out) << c.in;
        EXPECT_EQ(changed, c.changed) << c.in;
    }
}

}  // namespace
}  // namespace vrn::testing
