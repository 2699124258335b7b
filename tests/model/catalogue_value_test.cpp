#include "model/interfaces/catalogue_value.h"

#include <gtest/gtest.h>

#include "model/model_error.h"

namespace vrn {
namespace {

TEST(CatalogueValue, TextOfEveryKind) {
    EXPECT_EQ(CatalogueText(std::monostate{}), "");
    EXPECT_EQ(CatalogueText(true), "True");
    EXPECT_EQ(CatalogueText(false), "False");
    EXPECT_EQ(CatalogueText(std::int64_t{-42}), "-42");
    EXPECT_EQ(CatalogueText(2.5), "2.5");
    EXPECT_EQ(CatalogueText(std::string("{A-1}")), "{A-1}");
}

TEST(CatalogueValue, LongRoundsHalfToEven) {
    const struct {
        CatalogueValue value;
        std::int32_t expected;
    } cases[] = {
        {std::monostate{}, 0},
        {true, -1},
        {std::int64_t{123400}, 123400},
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {std::string(" 1207 "), 1207},
        {std::string("12.5"), 12},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CatalogueLong(c.value), c.expected) << CatalogueText(c.value);
    }
}

TEST(CatalogueValue, LongRefusesWhatIsNoNumberOrTooLarge) {
    for (const CatalogueValue& value :
         {CatalogueValue(std::string("abc")), CatalogueValue(std::string("")),
          CatalogueValue(std::string("12abc")), CatalogueValue(3e10),
          CatalogueValue(std::int64_t{1} << 40)}) {
        EXPECT_THROW(CatalogueLong(value), ModelError) << CatalogueText(value);
    }
}

}  // namespace
}  // namespace vrn
