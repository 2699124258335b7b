#include "proppages/field_conversions.h"
#include "proppages/dialog_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vrn::pp {
namespace {

TEST(IntegerField, ReadsLikeTheDialogManager) {
    struct Case {
        const char* text;
        bool isSigned;
        quint32 expected;
    };
    const Case cases[] = {
        {"42", false, 42},
        {"  42", false, 42},
        {"42abc", false, 42},
        {"abc", false, 0},
        {"", false, 0},
        {"-5", false, 0},
        {"-5", true, static_cast<quint32>(-5)},
        {"4294967295", false, 4294967295u},
        {"4294967296", false, 0},
        {"2147483647", true, 2147483647u},
        {"2147483648", true, 0},
        {"-2147483648", true, 0x80000000u},
        {"99999999999999999999999", false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseDialogInt(QString::fromLatin1(c.text), c.isSigned), c.expected)
            << '"' << c.text << "\" signed " << c.isSigned;
    }
    EXPECT_EQ(formatDialogInt(static_cast<quint32>(-1), true), "-1");
    EXPECT_EQ(formatDialogInt(static_cast<quint32>(-1), false), "4294967295");
}

TEST(LongField, ReadsTheFirst32CharactersAsADecimalNumber) {
    struct Case {
        QString text;
        qint32 expected;
    };
    const Case cases[] = {
        {"1500", 1500},
        {" -1500", -1500},
        {"+7", 7},
        {"12ms", 12},
        {"letters", 0},
        {"", 0},
        {"99999999999", std::numeric_limits<qint32>::max()},
        {"-99999999999", std::numeric_limits<qint32>::min()},
        // The 33rd character and on are not read.
        {QString(31, u' ') + "57", 5},
        {QString(32, u' ') + "57", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseLongField(c.text), c.expected) << '"' << c.text.toStdString() << '"';
    }
}

TEST(FloatField, ReadsOneNumberOrZero) {
    struct Case {
        QString text;
        float expected;
    };
    const Case cases[] = {
        {"2.5", 2.5f},
        {" -0.25 ", -0.25f},
        {"1e3", 1000.0f},
        {"", 0.0f},
        {"abc", 0.0f},
        {"2.5cm", 0.0f},
        {"inf", 0.0f},
        {"nan", 0.0f},
        {"1e39", 0.0f},
        // Only the first 254 characters count: the digit beyond them is not read.
        {QString(253, u' ') + "12", 1.0f},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(parseFloatField(c.text), c.expected) << '"' << c.text.toStdString() << '"';
    }
}

TEST(FloatField, ShowsTheShortestTextThatReadsBackTheSame) {
    for (const float value : {0.0f, 0.1f, 2.5f, -1440.0f, 1.0e7f, 3.4028235e38f, 1.0e-6f}) {
        const auto text = formatFloatField(value);
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(parseFloatField(*text), value) << text->toStdString();
    }
    EXPECT_EQ(formatFloatField(0.1f), "0.1");
    EXPECT_FALSE(formatFloatField(std::numeric_limits<float>::infinity()).has_value());
    EXPECT_FALSE(formatFloatField(std::nanf("")).has_value());
}

TEST(TextField, KeepsTheFirst254Characters) {
    EXPECT_EQ(capText(QString(300, u'x')).size(), 254);
    EXPECT_EQ(capText("short"), "short");
    EXPECT_EQ(capText(""), "");
}

}  // namespace
}  // namespace vrn::pp
