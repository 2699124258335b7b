#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/database/errors.h"
#include "server/entities/slot_path.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt {
namespace {

TEST(SlotPath, APathIsTakenApartFromElementOneAndConsumed) {
    struct Case {
        std::string text;
        std::vector<std::string> elements;
    };
    const Case cases[] = {
        {"", {"", "-"}},           {"7", {"", "7"}},
        {"7,12", {"", "7", "12"}}, {"3,,15", {"", "3", "", "15"}},
        {"4,", {"", "4"}},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(parseSlotPath(text), c.elements) << c.text;
        EXPECT_TRUE(text.empty());
    }
    EXPECT_EQ(slotOfElement(" 12 "), 12);
    for (const char* bad : {"-", "", "1a", "x"}) {
        EXPECT_EQ(test::errorOf([&] { slotOfElement(bad); }).number(), typeMismatch().number())
            << bad;
    }
}

TEST(SlotPath, AContextPathHoldsASlotOnlyAsAWholeToken) {
    struct Case {
        const char* path;
        std::int32_t slot;
        bool holds;
    };
    const Case cases[] = {
        {"3,12:5,2", 1, false}, {"3,12:5,2", 12, true}, {"3,12:5,2", 2, true},
        {"3,1:5,2", 1, true},   {"21:12", 1, false},    {"no path", 1, false},
        {"1", 1, true},         {"", 1, false},         {"7,12:3,15", 5, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(contextPathHasSlot(c.path, c.slot), c.holds) << c.path << " " << c.slot;
    }
}

TEST(SlotPath, TheFirstSlotOfEachSideOfAContextPath) {
    struct Case {
        const char* path;
        const char* start;
        const char* end;
    };
    const Case cases[] = {
        {"7,12:3,15", "7", "3"}, {"7:3,15", "7", "3"}, {"7,12:3", "7", "3"},
        {"7", "", ""},           {"", "", ""},         {":4", "", "4"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(startSlotPart(c.path), c.start) << c.path;
        EXPECT_EQ(endSlotPart(c.path), c.end) << c.path;
    }
}

}  // namespace
}  // namespace kt
