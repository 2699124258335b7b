#include "server/database/field.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "server/database/errors.h"

namespace kt {
namespace {

// nullopt stands for the error whose text is given.
struct LongCase {
    Value value;
    std::optional<std::int32_t> expected;
    std::string error;
};

TEST(Field, LongConversion) {
    const std::vector<LongCase> cases{
        {std::int64_t{42}, 42, ""},
        {std::int64_t{-7}, -7, ""},
        {std::int64_t{2147483647}, 2147483647, ""},
        {std::int64_t{2147483648}, std::nullopt, "Overflow"},
        {2.5, 2, ""},
        {3.5, 4, ""},
        {std::string(" 12 "), 12, ""},
        {std::string("12.6"), 13, ""},
        {std::string("twelve"), std::nullopt, "Type mismatch"},
        {std::string(""), std::nullopt, "Type mismatch"},
        {std::monostate{}, std::nullopt, "Invalid use of Null"},
    };
    for (const auto& c : cases) {
        const Field field("f", c.value);
        if (c.expected) {
            EXPECT_EQ(field.asLong(), *c.expected);
        } else {
            try {
                field.asLong();
                ADD_FAILURE() << "no error for " << c.error;
            } catch (const Error& error) {
                EXPECT_EQ(error.description(), c.error);
            }
        }
    }
}

TEST(Field, IntegerIsSixteenBits) {
    EXPECT_EQ(Field("f", Value(std::int64_t{32767})).asInteger(), 32767);
    EXPECT_THROW(Field("f", Value(std::int64_t{32768})).asInteger(), Error);
}

TEST(Field, TextAndBooleanConversion) {
    EXPECT_EQ(Field("f", Value(std::int64_t{-3})).asText(), "-3");
    EXPECT_EQ(Field("f", Value(1.25)).asText(), "1.25");
    EXPECT_EQ(Field("f", Value(std::string("a\"b"))).asText(), "a\"b");
    EXPECT_THROW(Field("f", Value()).asText(), Error);

    EXPECT_TRUE(Field("f", Value(std::int64_t{1})).asBoolean());
    EXPECT_TRUE(Field("f", Value(std::int64_t{-1})).asBoolean());
    EXPECT_FALSE(Field("f", Value(std::int64_t{0})).asBoolean());
    EXPECT_TRUE(Field("f", Value(std::string("True"))).asBoolean());
    EXPECT_FALSE(Field("f", Value(std::string("false"))).asBoolean());
    EXPECT_THROW(Field("f", Value()).asBoolean(), Error);
    EXPECT_TRUE(Field("f", Value()).isNull());
}

}  // namespace
}  // namespace kt
