#include "clock/TickValues.h"

#include "astro/DateSerial.h"

#include <gtest/gtest.h>

using namespace horvane;

namespace {

// Dawn 20000, sunrise 22000, sunset 70000, dusk 72000.
EventTimesOfDay Sun() {
    EventTimesOfDay times;
    times.SolarMidnightSec = 3000;
    times.TwilightBeginSec = 20000;
    times.SunriseSec = 22000;
    times.SunsetSec = 70000;
    times.TwilightEndSec = 72000;
    return times;
}

struct SkyCase {
    SecondsOfDay sec;
    int skyLevel;
    bool ramp;
};

void PrintTo(const SkyCase& row, std::ostream* out) {
    *out << "sec " << row.sec;
}

class SkyLevelTable : public testing::TestWithParam<SkyCase> {};

} // namespace

TEST_P(SkyLevelTable, FollowsTheTwilights) {
    const SkyCase& row = GetParam();
    EXPECT_EQ(SkyLevelAt(row.sec, Sun()), row.skyLevel);
    EXPECT_EQ(InTwilightRamp(row.sec, Sun()), row.ramp);
}

// (t - 20000) * 210 / 2000 and (72000 - t) * 210 / 2000, rounded halves to even, plus 20.
INSTANTIATE_TEST_SUITE_P(Day, SkyLevelTable,
                         testing::Values(SkyCase{0, 20, false}, SkyCase{19999, 20, false},
                                         SkyCase{20000, 20, true},
                                         SkyCase{20001, 20, true},  // 0.105
                                         SkyCase{20010, 21, true},  // 1.05
                                         SkyCase{20050, 25, true},  // 5.25
                                         SkyCase{21000, 125, true}, // 105
                                         SkyCase{21999, 230, true}, // 209.895
                                         SkyCase{22000, 230, false}, SkyCase{69999, 230, false},
                                         SkyCase{70000, 230, true}, SkyCase{71000, 125, true},
                                         SkyCase{71999, 20, true}, SkyCase{72000, 20, false},
                                         SkyCase{86399, 20, false}));

TEST(SkyLevel, RampsWithAHalfRoundToEven) {
    EventTimesOfDay times = Sun();
    times.SunriseSec = 20004; // 52.5 a second
    EXPECT_EQ(SkyLevelAt(20001, times), 20 + 52);
    EXPECT_EQ(SkyLevelAt(20003, times), 20 + 158); // 157.5
}

TEST(SkyLevel, ColoursTheWindowAndItsLabels) {
    EXPECT_EQ(SkyColour(20), Rgb(10, 10, 33));
    EXPECT_EQ(SkyColour(230), Rgb(240, 240, 250));
    EXPECT_EQ(LabelColourFor(180), kWhite);
    EXPECT_EQ(LabelColourFor(181), kBlack);
    EXPECT_EQ(LabelColourFor(20), kWhite);
}

TEST(FastHands, MinuteHandStepsByTheFloorOfFiveSeconds) {
    EXPECT_EQ(MinuteHandValue(-1).value, -1);
    EXPECT_EQ(MinuteHandValue(-5).value, -1);
    EXPECT_EQ(MinuteHandValue(-6).value, -2);
    EXPECT_EQ(MinuteHandValue(0).value, 0);
    EXPECT_EQ(MinuteHandValue(4).value, 0);
    EXPECT_EQ(MinuteHandValue(3599).value, 719);
    EXPECT_EQ(MinuteHandValue(0).period, 720);
}

TEST(FastHands, HourHandPointsDownAtSolarMidnight) {
    EventTimesOfDay times;
    times.SolarMidnightSec = 3000;
    const HandValue hour = HourHandValue(SecondsSinceSolarMidnight(3000, times));
    EXPECT_EQ(hour.value / hour.period, 0.5);
}

TEST(SlowHands, WeekHandPutsSundayNoonAtTheTop) {
    const DateSerial sunday = ToDateSerial({2026, 12, 6, 12, 0, 0});
    EXPECT_EQ(WeekHandValue(sunday, 43200).value, 0);
    const DateSerial saturday = ToDateSerial({2026, 12, 12, 23, 59, 59});
    EXPECT_EQ(WeekHandValue(saturday, 86399).value, 6 * 86400 - 43200 + 86399);
    EXPECT_EQ(WeekHandValue(saturday, 86399).period, 604800);
}

TEST(SlowHands, YearHandCountsDaysFromMidsummer) {
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 6, 21, 0, 0, 0})).value, 0);
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 6, 20, 12, 0, 0})).value, -0.5);
    EXPECT_EQ(YearHandValue(ToDateSerial({2024, 1, 1, 0, 0, 0})).value, -172);
    EXPECT_EQ(YearHandValue(ToDateSerial({2026, 12, 31, 0, 0, 0})).value, 193);
    EXPECT_EQ(YearHandValue(0).period, 365);
}

TEST(SlowHands, MoonPhaseCountsSynodicMonthsFromAFullMoon) {
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
