#include "clock/TickValues.h"

#include "astro/DateSerial.h"

#include <gtest/gtest.h>
#include <utility>

using namespace horvane;

namespace {

// Solar midnight 0:50; dawn 20000, sunrise 22000, sunset 70000, dusk 72000.
const EventTimesOfDay kSun{3000, 20000, 22000, 70000, 72000, 0, 0};

} // namespace

// (t - 20000) * 210 / 2000 and (72000 - t) * 210 / 2000, rounded halves to even, plus 20:
// 20001 gives 0.105, 20010 1.05, 20050 5.25, 21999 209.895.
TEST(SkyLevel, FollowsTheTwilights) {
    const struct {
        SecondsOfDay sec;
        int skyLevel;
        bool ramp;
    } rows[] = {{0, 20, false},      {19999, 20, false},  {20000, 20, true},  {20001, 20, true},
                {20010, 21, true},   {20050, 25, true},   {21000, 125, true}, {21999, 230, true},
                {22000, 230, false}, {69999, 230, false}, {70000, 230, true}, {71000, 125, true},
                {71999, 20, true},   {72000, 20, false},  {86399, 20, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(SkyLevelAt(row.sec, kSun), row.skyLevel) << row.sec;
        EXPECT_EQ(InTwilightRamp(row.sec, kSun), row.ramp) << row.sec;
    }
    EventTimesOfDay times = kSun;
    times.SunriseSec = 20004; // 52.5 a second
    EXPECT_EQ(SkyLevelAt(20001, times), 20 + 52);
    EXPECT_EQ(SkyLevelAt(20003, times), 20 + 158); // 157.5
}

TEST(SkyLevel, ColoursTheWindowAndItsLabels) {
    EXPECT_EQ(SkyColour(20), Rgb(10, 10, 33));
    EXPECT_EQ(SkyColour(230), Rgb(240, 240, 250));
    EXPECT_EQ(LabelColourFor(180), kWhite);
    EXPECT_EQ(LabelColourFor(181), kBlack);
}

TEST(FastHands, MinuteStepsByTheFloorOfFiveSecondsHourPointsDownAtSolarMidnight) {
    for (const auto& [since, steps] : {std::pair{-1, -1}, {-5, -1}, {-6, -2}, {4, 0}, {3599, 719}})
        EXPECT_EQ(MinuteHandValue(since).value, steps) << since;
    EXPECT_EQ(MinuteHandValue(0).period, 720);
    const HandValue hour = HourHandValue(SecondsSinceSolarMidnight(3000, kSun));
    EXPECT_EQ(hour.value / hour.period, 0.5);
}

// Sunday noon at the top of the week; days from midsummer; synodic months from a full moon.
TEST(SlowHands, WeekYearAndMoon) {
    EXPECT_EQ(WeekHandValue(ToDateSerial({2026, 12, 6, 12, 0, 0}), 43200).value, 0);
    const HandValue saturday = WeekHandValue(ToDateSerial({2026, 12, 12, 23, 59, 59}), 86399);
    EXPECT_EQ(saturday.value, 6 * 86400 - 43200 + 86399);
    EXPECT_EQ(saturday.period, 604800);
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 6, 21, 0, 0, 0})).value, 0);
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 6, 20, 12, 0, 0})).value, -0.5);
    EXPECT_EQ(YearHandValue(ToDateSerial({2024, 1, 1, 0, 0, 0})).value, -172);
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 12, 31, 0, 0, 0})).value, 193);
    EXPECT_EQ(YearHandValue(0).period, 365);
    EXPECT_EQ(MoonPhase(36959.475), 0);
    EXPECT_NEAR(MoonPhase(36959.475 + 29.530590277777776 / 4), 0.25, 1e-12);
    EXPECT_NEAR(MoonPhase(36959.475 - 29.530590277777776 / 4), 0.75, 1e-12);
    EXPECT_EQ(MoonHandValue(40000).period, 1);
}

TEST(TimeLine, AppendsTheZoneNameAfterTheBlank) {
    EXPECT_EQ(TimeLineText(ToDateSerial({2026, 12, 4, 13, 5, 0}), EnglishLocaleNames(),
                           "Central Standard Time"),
              "Fri Dec 4 26 1:05pm Central Standard Time");
}
