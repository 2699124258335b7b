#include "server/database/new_notes.h"

#include <gtest/gtest.h>

#include "server/database/errors.h"
#include "tests/server/database/catalogue_fixture.h"

namespace kt {
namespace {

using test::errorOf;

TEST(NewNotes, SplitsFourFieldsAndTrimsThem) {
    std::string a, b, c, d;
    GetNewNotes(" one ! two!!  four  ! ignored ! too", a, b, c, d);
    EXPECT_EQ(a, "one");
    EXPECT_EQ(b, "two");
    EXPECT_EQ(c, "");
    EXPECT_EQ(d, "four");
}

TEST(NewNotes, FewerThanFourBangsFailAndChangeNothing) {
    std::string a = "a", b = "b", c = "c", d = "d";
    for (const std::string notes : {"", "one!two!three", "!!!"}) {
        EXPECT_EQ(errorOf([&] { GetNewNotes(notes, a, b, c, d); }).number(), 5) << notes;
    }
    EXPECT_EQ(a + b + c + d, "abcd");
}

}  // namespace
}  // namespace kt
