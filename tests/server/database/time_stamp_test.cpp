#include "server/database/time_stamp.h"

#include <gtest/gtest.h>

#include "server/database/errors.h"

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

TEST(TimeStamp, LastModifiedTextReadsBackAsLocalDateAndTime) {
    using namespace std::chrono;
    const auto at = [](int y, unsigned m, unsigned d, int h, int min, int s) {
        return local_days{year{y} / month{m} / day{d}} + hours{h} + minutes{min} + seconds{s};
    };
    EXPECT_EQ(lastModifiedDate("03-07-2001 14:05:09"), at(2001, 3, 7, 14, 5, 9));
    EXPECT_EQ(lastModifiedDate("3/7/2001 4:05:09"), at(2001, 3, 7, 4, 5, 9));
    EXPECT_EQ(lastModifiedDate("12-31-1999"), at(1999, 12, 31, 0, 0, 0));
    for (const std::string text :
         {"", "yesterday", "02-30-2001 00:00:00", "13-01-2001 00:00:00", "01-01-2001 24:00:00",
          "2001-03-07 14:05:09", "03-07-2001 14:05"}) {
        EXPECT_THROW(lastModifiedDate(text), Error) << text;
    }
}

}  // namespace
}  // namespace kt
