#include "astro/DateSerial.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>

using namespace horvane;

// Weekdays count from Sunday as 1; serial day 0 was a Saturday. Half a second before midnight
// rounds into the next day.
TEST(DateSerial, KnownSerialsAndWeekdays) {
    const std::tuple<CivilDateTime, DateSerial, int> rows[] = {
        {{1899, 12, 30, 0, 0, 0}, 0, 7},         {{2000, 1, 1, 12, 0, 0}, 36526.5, 7},
        {{2001, 3, 9, 11, 24, 0}, 36959.475, 6}, {{1899, 12, 29, 18, 0, 0}, -0.25, 6},
        {{2026, 12, 6, 12, 0, 0}, 46362.5, 1},   {{1890, 1, 1, 0, 0, 0}, -3650, 4}};
    for (const auto& [civil, serial, weekday] : rows) {
        EXPECT_EQ(ToDateSerial(civil), serial) << serial;
        EXPECT_EQ(WeekdayOf(serial), weekday) << serial;
    }
    const DateSerial late = ToDateSerial({2026, 12, 31, 23, 59, 59}) + 0.6 / 86400;
    const CivilDateTime next = ToCivil(late);
    EXPECT_EQ((std::array{next.year, next.month, next.day, SecondsOfDayOf(late)}),
              (std::array{2027, 1, 1, 0}));
}

// Before 1899-12-30 a serial is negative while its time of day still counts forwards, so the
// day is the floor of the serial, not its truncation.
TEST(DateSerial, RoundTripsEverySecondAcrossYears) {
    for (int year : {1850, 1899, 1900, 1969, 1999, 2000, 2026, 2100}) {
        for (int second = 0; second < 86400; second += 997) {
            const CivilDateTime back =
                ToCivil(ToDateSerial({year, 2, 28, second / 3600, second / 60 % 60, second % 60}));
            EXPECT_EQ((std::array{back.year, back.day,
                                  back.hour * 3600 + back.minute * 60 + back.second}),
                      (std::array{year, 28, second}));
        }
    }
}
