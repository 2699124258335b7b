#include <gtest/gtest.h>

#include <string>

#include "model/file/windows1252.h"

namespace vrn::testing {
namespace {

TEST(Windows1252Test, EveryByteSurvivesADecodeAndAnEncode) {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(bytes)), bytes);
}

TEST(Windows1252Test, CharactersMapBothWays) {
    struct Case {
        std::string bytes;
        std::string text;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xE9", "caf\xC3\xA9"},  // é
        {"\x80", "\xE2\x82\xAC"},    // €
        {"\x93quoted\x94", "\xE2\x80\x9Cquoted\xE2\x80\x9D"},
        {"\x9F", "\xC5\xB8"},  // Ÿ
        {"\x81", "\xC2\x81"},  // undefined in the code page: a control
        {"\xFF", "\xC3\xBF"},  // ÿ
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeWindows1252(c.bytes), c.text) << c.bytes;
        EXPECT_EQ(EncodeWindows1252(c.text), c.bytes) << c.text;
    }
}

TEST(Windows1252Test, WhatTheCodePageLacksBecomesAQuestionMark) {
    EXPECT_EQ(EncodeWindows1252("\xE4\xB8\xAD"), "?");          // a CJK character
    EXPECT_EQ(EncodeWindows1252("a\xF0\x9F\x98\x80z"), "a?z");  // an emoji
    EXPECT_EQ(EncodeWindows1252("\xC3"), "?");                  // cut short
    EXPECT_EQ(EncodeWindows1252("\xC3(x"), "?(x");              // bad continuation
    EXPECT_EQ(EncodeWindows1252("\xC0\xAF"), "??");             // overlong
    EXPECT_EQ(EncodeWindows1252("\xED\xA0\x80"), "???");        // a surrogate
}

}  // namespace
}  // namespace vrn::testing
