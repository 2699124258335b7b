#include "server/database/time_stamp.h"

#include <gtest/gtest.h>

namespace kt {
namespace {

TEST(TimeStamp, FormatsLastModifiedAndPifId) {
    std::tm moment{};
    moment.tm_year = 2001 - 1900;
    moment.tm_mon = 2;
    moment.tm_mday = 7;
    moment.tm_hour = 14;
    moment.tm_min = 5;
    moment.tm_sec = 9;
    const TimeStamp stamp(moment);
    EXPECT_EQ(stamp.lastModified(), "03-07-2001 14:05:09");
    EXPECT_EQ(stamp.pifId(42), "010307140509UF42");
}

}  // namespace
}  // namespace kt
