#include "platform/text_conversion.h"

#include <gtest/gtest.h>

#include <limits>

namespace vrn {
namespace {

TEST(TextConversion, SingleAcceptsDecimalTextAndRefusesTheRest) {
    EXPECT_EQ(toSingle("600"), 600.0f);
    EXPECT_EQ(toSingle(" 2500.5 "), 2500.5f);
    EXPECT_EQ(toSingle("+12"), 12.0f);
    EXPECT_EQ(toSingle("-7.25"), -7.25f);
    EXPECT_EQ(toSingle("1e3"), 1000.0f);
    for (const char* bad : {"", "  ", "abc", "12abc", "1,5", "++1", "nan", "inf", "1e40"}) {
        EXPECT_FALSE(toSingle(bad).has_value()) << bad;
    }
}

TEST(TextConversion, IntegerRoundsHalvesToEvenAndKeepsTo16Bits) {
    struct Case {
        const char* text;
        std::optional<qint16> expected;
    };
    const Case cases[] = {
        {"10", 10},
        {"10.4", 10},
        {"10.5", 10},
        {"11.5", 12},
        {"-2.5", -2},
        {"32767", 32767},
        {"-32768", -32768},
        {"32768", std::nullopt},
        {"-32769", std::nullopt},
        {"abc", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(toInteger(c.text), c.expected) << c.text;
    }
}

TEST(TextConversion, LongReadsSignedDecimalsAndHexPatterns) {
    EXPECT_EQ(toLong("8454016"), 0x80FF80);
    EXPECT_EQ(toLong("-2147483633"), static_cast<qint32>(0x8000000F));
    EXPECT_EQ(toLong("&H8000000F"), static_cast<qint32>(0x8000000F));
    EXPECT_EQ(toLong("&hff"), 255);
    EXPECT_EQ(toLong("2147483647"), std::numeric_limits<qint32>::max());
    for (const char* bad : {"2147483648", "&H", "&H123456789", "&H-1", "&HXYZ", "red"}) {
        EXPECT_FALSE(toLong(bad).has_value()) << bad;
    }
}

TEST(TextConversion, BooleanReadsWordsInAnyCaseAndNumbers) {
    EXPECT_EQ(toBoolean("True"), true);
    EXPECT_EQ(toBoolean("false"), false);
    EXPECT_EQ(toBoolean(" TRUE "), true);
    EXPECT_EQ(toBoolean("-1"), true);
    EXPECT_EQ(toBoolean("0"), false);
    EXPECT_FALSE(toBoolean("yes").has_value());
}

TEST(TextConversion, FormattedSinglesAreShortAndReadBackExactly) {
    EXPECT_EQ(formatSingle(600), "600");
    EXPECT_EQ(formatSingle(2500.5f), "2500.5");
    EXPECT_EQ(formatSingle(-0.0f), "0");
    for (float value : {0.1f, 1234.567f, -3.0e-5f, 3.4e38f}) {
        EXPECT_EQ(toSingle(formatSingle(value)), value) << formatSingle(value).toStdString();
    }
    EXPECT_EQ(formatBoolean(true), "True");
    EXPECT_EQ(formatBoolean(false), "False");
}

}  // namespace
}  // namespace vrn
