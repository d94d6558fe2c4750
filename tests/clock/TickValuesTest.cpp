#include "clock/TickValues.h"

#include "astro/DateSerial.h"
#include "clock/Contrast.h"

#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using namespace horvane;

namespace {

// Solar midnight 0:50; dawn 20000, sunrise 22000, sunset 70000, dusk 72000.
const EventTimesOfDay kSun{3000, 20000, 22000, 70000, 72000, 0, 0};

const Colour kSkyLight = Rgb(158, 158, 226);

// The share of a full turn clockwise from the top that a hand points at.
double TurnOf(HandValue hand) {
    return hand.value / hand.period;
}

} // namespace

// (t - 20000) * 210 / 2000 and (72000 - t) * 210 / 2000, rounded halves to even, plus 20:
// 20001 gives 0.105, 20010 1.05, 20050 5.25, 21999 209.895.
TEST(SkyLevel, FollowsTheTwilights) {
    const std::tuple<SecondsOfDay, int, bool> rows[] = {
        {0, 20, false},      {19999, 20, false},  {20000, 20, true},  {20001, 20, true},
        {20010, 21, true},   {20050, 25, true},   {21000, 125, true}, {21999, 230, true},
        {22000, 230, false}, {69999, 230, false}, {70000, 230, true}, {71000, 125, true},
        {71999, 20, true},   {72000, 20, false},  {86399, 20, false}};
    for (const auto& [sec, skyLevel, ramp] : rows)
        EXPECT_EQ(std::pair(int(SkyLevelAt(sec, kSun)), InTwilightRamp(sec, kSun)),
                  std::pair(skyLevel, ramp))
            << sec;
    EventTimesOfDay times = kSun;
    times.SunriseSec = 20004; // 52.5 a second: 52.5 and 157.5
    EXPECT_EQ((std::array{SkyLevelAt(20001, times), SkyLevelAt(20003, times)}),
              (std::array<std::int16_t, 2>{20 + 52, 20 + 158}));
    EXPECT_EQ((std::array{SkyColour(20), SkyColour(230)}),
              (std::array{Rgb(10, 10, 33), Rgb(240, 240, 250)}));
}

// Whichever of white and black stands out more against the sky of each level keeps at least
// 4.5:1; the switch lies where the two are about even (level 147 is RGB(104,104,210): 4.67 against
// white, 4.50 against black; 148 is RGB(106,106,210): 4.56 and 4.61).
TEST(LabelColour, KeepsFourAndAHalfToOneAtEverySkyLevel) {
    for (int level = 20; level <= 230; ++level) {
        const auto skyLevel = std::int16_t(level);
        EXPECT_GE(ContrastRatio(LabelColourFor(skyLevel), SkyColour(skyLevel)), 4.5) << level;
    }
    EXPECT_EQ((std::array{LabelColourFor(20), LabelColourFor(147), LabelColourFor(148),
                          LabelColourFor(230)}),
              (std::array{kWhite, kWhite, kBlack, kBlack}));
    EXPECT_EQ((std::array{ContrastRatio(kBlack, kWhite), ContrastRatio(kWhite, kBlack),
                          ContrastRatio(kSkyLight, kSkyLight)}),
              (std::array{21.0, 21.0, 1.0}));
    EXPECT_NEAR(RelativeLuminance(Rgb(128, 128, 128)), 0.2158605, 1e-7);
    EXPECT_NEAR(RelativeLuminance(Rgb(0, 0, 255)), 0.0722, 1e-12);
}

// Fifteen minutes after solar midnight the minute hand points right and the second hand up;
// the minute hand steps every five seconds, by the floor, before solar midnight too; the hour
// hand points down at solar midnight and up at solar noon.
TEST(FastHands, PointFromSolarMidnight) {
    EXPECT_EQ(TurnOf(SecondHandValue(900)), 15);
    for (const auto& [since, steps] :
         {std::pair{900, 180}, {-1, -1}, {-5, -1}, {-6, -2}, {4, 0}, {3599, 719}})
        EXPECT_EQ(TurnOf(MinuteHandValue(since)), steps / 720.0) << since;
    EXPECT_EQ(std::pair(TurnOf(HourHandValue(SecondsSinceSolarMidnight(3000, kSun))),
                        TurnOf(HourHandValue(SecondsSinceSolarMidnight(3000 + 43200, kSun)))),
              std::pair(0.5, 1.0));
}

// Sunday noon at the top of the week ring and a turn a week; 21 June at the top of the year
// ring and a turn in 365 days.
TEST(SlowHands, WeekAndYear) {
    EXPECT_EQ(TurnOf(WeekHandValue(ToDateSerial({2026, 12, 6, 12, 0, 0}), 43200)), 0);
    EXPECT_EQ(TurnOf(WeekHandValue(ToDateSerial({2026, 12, 9, 12, 0, 0}), 43200)), 3.0 / 7);
    EXPECT_EQ(TurnOf(WeekHandValue(ToDateSerial({2026, 12, 12, 23, 59, 59}), 86399)),
              (6.5 * 86400 - 1) / (7 * 86400));
    EXPECT_EQ(TurnOf(YearHandValue(ToDateSerial({2026, 6, 21, 0, 0, 0}))), 0);
    EXPECT_EQ(TurnOf(YearHandValue(ToDateSerial({2026, 6, 20, 12, 0, 0}))), -0.5 / 365);
    EXPECT_EQ(TurnOf(YearHandValue(ToDateSerial({2024, 1, 1, 0, 0, 0}))), -172.0 / 365);
    EXPECT_EQ(TurnOf(YearHandValue(ToDateSerial({2026, 12, 31, 0, 0, 0}))), 193.0 / 365);
}

// Published full and new moons (UTC): the mean phase stays within a day of them.
TEST(SlowHands, MoonPhaseMatchesPublishedPhases) {
    const std::pair<CivilDateTime, double> moons[] = {{{1999, 12, 22, 17, 31, 0}, 0},
                                                      {{2017, 8, 21, 18, 30, 0}, 0.5}};
    for (const auto& [at, published] : moons) {
        const double phase = TurnOf(MoonHandValue(ToDateSerial(at)));
        EXPECT_NEAR(std::remainder(phase - published, 1.0), 0, 1.0 / 29.5) << at.year;
        EXPECT_TRUE(phase >= 0 && phase < 1) << at.year;
    }
}

// Twelve-hour clock with midnight and noon as 12, a two-digit year, then the zone's name.
TEST(TimeLine, AppendsTheZoneNameAfterTheBlank) {
    const std::pair<CivilDateTime, const char*> rows[] = {
        {{2026, 12, 4, 13, 5, 0}, "Fri Dec 4 26 1:05pm CST"},
        {{2007, 1, 14, 0, 9, 59}, "Sun Jan 14 07 12:09am CST"},
        {{1999, 6, 30, 12, 0, 0}, "Wed Jun 30 99 12:00pm CST"}};
    for (const auto& [civil, text] : rows)
        EXPECT_EQ(TimeLineText(ToDateSerial(civil), EnglishLocaleNames(), "CST"), text);
}
