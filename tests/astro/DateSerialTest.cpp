#include "astro/DateSerial.h"

#include <gtest/gtest.h>

using namespace horvane;

TEST(DateSerial, KnownSerials) {
    EXPECT_EQ(ToDateSerial({1899, 12, 30, 0, 0, 0}), 0.0);
    EXPECT_EQ(ToDateSerial({2000, 1, 1, 12, 0, 0}), 36526.5);
    EXPECT_EQ(ToDateSerial({2001, 3, 9, 11, 24, 0}), 36959.475);
    EXPECT_EQ(ToDateSerial({1899, 12, 29, 18, 0, 0}), -0.25);
}

// Before 1899-12-30 a serial is negative while its time of day still counts forwards, so the
// day is the floor of the serial, not its truncation.
TEST(DateSerial, RoundTripsEverySecondAcrossYears) {
    for (int year : {1850, 1899, 1900, 1969, 1999, 2000, 2026, 2100}) {
        for (int second = 0; second < 86400; second += 997) {
            const CivilDateTime civil{year, 2, 28, second / 3600, second / 60 % 60, second % 60};
            const CivilDateTime back = ToCivil(ToDateSerial(civil));
            EXPECT_EQ(back.year, year);
            EXPECT_EQ(back.day, 28);
            EXPECT_EQ(back.hour * 3600 + back.minute * 60 + back.second, second);
        }
    }
}

TEST(DateSerial, HalfSecondBeforeMidnightRoundsIntoNextDay) {
    const DateSerial serial = ToDateSerial({2026, 12, 31, 23, 59, 59}) + 0.6 / 86400;
    const CivilDateTime civil = ToCivil(serial);
    EXPECT_EQ(civil.year, 2027);
    EXPECT_EQ(civil.month, 1);
    EXPECT_EQ(civil.day, 1);
    EXPECT_EQ(SecondsOfDayOf(serial), 0);
}

TEST(DateSerial, WeekdayCountsFromSunday) {
    EXPECT_EQ(WeekdayOf(ToDateSerial({2026, 12, 6, 10, 0, 0})), 1); // Sunday
    EXPECT_EQ(WeekdayOf(ToDateSerial({2026, 12, 4, 13, 5, 0})), 6); // Friday
    EXPECT_EQ(WeekdayOf(0.0), 7);                                   // Saturday
    EXPECT_EQ(WeekdayOf(ToDateSerial({1890, 1, 1, 0, 0, 0})), 4);   // Wednesday
}
