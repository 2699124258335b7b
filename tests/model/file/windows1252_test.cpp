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

TEST(Windows1252Test, WhatTheCodePageLacksBecomesAQuestionMarkAndIsCounted) {
    struct Case {
        std::string text;
        std::string bytes;
        std::size_t replaced;
    };
    const Case cases[] = {
        {"\xE4\xB8\xAD", "?", 1},                                   // a CJK character
        {"a\xF0\x9F\x98\x80z", "a?z", 1},                           // an emoji
        {"\xC3", "?", 1},                                           // cut short
        {"\xC3(x", "?(x", 1},                                       // bad continuation
        {"\xC0\xAF", "??", 2},                                      // overlong
        {"\xED\xA0\x80", "???", 3},                                 // a surrogate
        {"why? caf\xC3\xA9 \xE2\x82\xAC", "why? caf\xE9 \x80", 0},  // a real "?" is no loss
        {"\xE2\x86\x92 and \xE2\x86\x92", "? and ?", 2},            // arrows
    };
    for (const auto& c : cases) {
        std::string bytes;
        EXPECT_EQ(AppendUtf8AsWindows1252(c.text, bytes), c.replaced) << c.text;
        EXPECT_EQ(bytes, c.bytes) << c.text;
    }
}

}  // namespace
}  // namespace vrn::testing
