#include "astro/DateText.h"

#include <gtest/gtest.h>

using namespace horvane;

TEST(DateText, TimeLinePicture) {
    const LocaleNames english = EnglishLocaleNames();
    EXPECT_EQ(FormatTimeLine(ToDateSerial({2026, 12, 4, 13, 5, 0}), english),
              "Fri Dec 4 26 1:05pm ");
    EXPECT_EQ(FormatTimeLine(ToDateSerial({2007, 1, 14, 0, 9, 59}), english),
              "Sun Jan 14 07 12:09am ");
    EXPECT_EQ(FormatTimeLine(ToDateSerial({1999, 6, 30, 12, 0, 0}), english),
              "Wed Jun 30 99 12:00pm ");
}

TEST(DateText, ShortTimeOnTwelveHourClock) {
    const DateSerial day = ToDateSerial({2026, 12, 4, 0, 0, 0});
    EXPECT_EQ(FormatShortTime(day + 5 / 1440.0), "12:05a");
    EXPECT_EQ(FormatShortTime(day + (6 * 60 + 7) / 1440.0), "6:07a");
    EXPECT_EQ(FormatShortTime(day + 0.5), "12:00p");
    EXPECT_EQ(FormatShortTime(day + (23 * 60 + 41) / 1440.0), "11:41p");
}

TEST(DateText, HoursMinutesHaveTwoDigits) {
    EXPECT_EQ(FormatHoursMinutes(5, 30), "05:30");
    EXPECT_EQ(FormatHoursMinutes(0, 0), "00:00");
}
