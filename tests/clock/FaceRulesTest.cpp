#include "clock/FaceRules.h"

#include <gtest/gtest.h>
#include <utility>

using namespace horvane;

namespace {

struct TurnCase {
    int solarMidnight, minute, hour, week;
};

void PrintTo(const TurnCase& row, std::ostream* out) {
    *out << "sm " << row.solarMidnight;
}

class RingTurnTable : public testing::TestWithParam<TurnCase> {};

struct PixelTimeCase {
    int x, y, solarMidnight, time;
};

void PrintTo(const PixelTimeCase& row, std::ostream* out) {
    *out << "(" << row.x << ", " << row.y << ") sm " << row.solarMidnight;
}

class PixelTimeTable : public testing::TestWithParam<PixelTimeCase> {};

constexpr int kCentre = 111;

EventTimesOfDay Twilights(int dawn, int sunrise, int sunset, int dusk) {
    EventTimesOfDay times;
    times.TwilightBeginSec = dawn;
    times.SunriseSec = sunrise;
    times.SunsetSec = sunset;
    times.TwilightEndSec = dusk;
    return times;
}

struct GreyCase {
    EventTimesOfDay times;
    int t, grey;
};

void PrintTo(const GreyCase& row, std::ostream* out) {
    *out << "D " << row.times.TwilightBeginSec << " R " << row.times.SunriseSec << " S "
         << row.times.SunsetSec << " K " << row.times.TwilightEndSec << " t " << row.t;
}

class BandGreyTable : public testing::TestWithParam<GreyCase> {};

} // namespace

TEST_P(RingTurnTable, QuantisesSolarMidnight) {
    const TurnCase& row = GetParam();
    const RingTurns turns = RingTurnsFor(row.solarMidnight);
    EXPECT_EQ(turns.minute, row.minute);
    EXPECT_EQ(turns.hour, row.hour);
    EXPECT_EQ(turns.week, row.week);
    EXPECT_EQ(turns.year, 998);
}

// Past noon the week ring turns the other way; a turn past the last step is held at 0.
INSTANTIATE_TEST_SUITE_P(Indices, RingTurnTable,
                         testing::Values(TurnCase{0, 999, 999, 999}, TurnCase{600, 832, 992, 998},
                                         TurnCase{3599, 0, 957, 993}, TurnCase{3600, 999, 957, 993},
                                         TurnCase{43200, 999, 499, 928},
                                         TurnCase{43201, 999, 499, 70}, TurnCase{85800, 166, 6, 0},
                                         TurnCase{86399, 0, 0, 0}));

// Each ring from its squared inner radius up to, not including, the next one's.
TEST(RingOf, SquaredRadiiBoundTheRings) {
    const std::pair<int, FaceRing> firstOfEach[] = {
        {0, FaceRing::CentreDisc},       {841, FaceRing::Year},
        {2601, FaceRing::Moon},          {3844, FaceRing::InnerMoonCircle},
        {3969, FaceRing::MoonUp},        {4096, FaceRing::Circle},
        {4225, FaceRing::Week},          {6084, FaceRing::Circle},
        {6241, FaceRing::Hour},          {8649, FaceRing::Circle},
        {8836, FaceRing::Minute},        {11449, FaceRing::Circle},
        {11664, FaceRing::DayNightBand}, {12321, FaceRing::Circle},
        {12544, FaceRing::Outside}};
    for (const auto& [squaredRadius, ring] : firstOfEach) {
        EXPECT_EQ(RingOf(squaredRadius), ring) << squaredRadius;
        if (squaredRadius > 0) {
            EXPECT_NE(RingOf(squaredRadius - 1), ring) << squaredRadius - 1;
        }
    }
}

TEST_P(PixelTimeTable, CountsClockwiseFromSolarMidnightDown) {
    const PixelTimeCase& row = GetParam();
    EXPECT_EQ(PixelTime(row.x - kCentre, row.y - kCentre, row.solarMidnight), row.time);
}

INSTANTIATE_TEST_SUITE_P(
    Pixels, PixelTimeTable,
    testing::Values(PixelTimeCase{111, 1, 0, 43200}, PixelTimeCase{111, 221, 0, 0},
                    PixelTimeCase{1, 112, 0, 21475}, PixelTimeCase{221, 112, 0, 64925},
                    PixelTimeCase{190, 32, 0, 54000},
                    // The centre row, where the angle's quotient has no value.
                    PixelTimeCase{0, 111, 0, 21600}, PixelTimeCase{110, 111, 0, 21600},
                    PixelTimeCase{112, 111, 0, 64800}, PixelTimeCase{222, 111, 1000, 65800},
                    // Brought into the day by one day either way.
                    PixelTimeCase{221, 112, 30000, 8525}, PixelTimeCase{111, 1, 86399, 43199},
                    PixelTimeCase{112, 221, 0, 86275}));

TEST(MoonIsUp, BetweenRiseAndSetOrAroundMidnight) {
    EXPECT_FALSE(MoonIsUp(1000, 1000, 5000));
    EXPECT_TRUE(MoonIsUp(1001, 1000, 5000));
    EXPECT_TRUE(MoonIsUp(4999, 1000, 5000));
    EXPECT_FALSE(MoonIsUp(5000, 1000, 5000));
    // Set before rise: up across midnight.
    EXPECT_TRUE(MoonIsUp(100, 80000, 5000));
    EXPECT_TRUE(MoonIsUp(80001, 80000, 5000));
    EXPECT_FALSE(MoonIsUp(40000, 80000, 5000));
    // Neither found: up all round but at 0.
    EXPECT_FALSE(MoonIsUp(0, 0, 0));
    EXPECT_TRUE(MoonIsUp(1, 0, 0));
    EXPECT_TRUE(MoonIsUp(86399, 0, 0));
}

TEST_P(BandGreyTable, FollowsTheTwilights) {
    const GreyCase& row = GetParam();
    EXPECT_EQ(BandGrey(row.t, row.times), row.grey);
}

INSTANTIATE_TEST_SUITE_P(
    OrdinaryDay, BandGreyTable,
    testing::Values(GreyCase{Twilights(20000, 22000, 70000, 72000), 21000, 128},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 71000, 128},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 20000, 0},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 21999, 255}, // 256 capped
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 22000, 0},   // R < t is strict
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 22001, 255},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 70000, 255},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 71999, 0},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 72000, 0},
                    GreyCase{Twilights(20000, 22000, 70000, 72000), 10, 0},
                    GreyCase{Twilights(20000, 20512, 70000, 72000), 20001, 0},   // 0.5 -> 0
                    GreyCase{Twilights(20000, 20512, 70000, 72000), 20003, 2})); // 1.5 -> 2

INSTANTIATE_TEST_SUITE_P(
    TwilightAcrossMidnight, BandGreyTable,
    testing::Values(GreyCase{Twilights(20000, 22000, 85000, 1000), 86000, 149}, // 149.33
                    GreyCase{Twilights(20000, 22000, 85000, 1000), 500, 53},    // 53.33
                    GreyCase{Twilights(20000, 22000, 85000, 1000), 1000, 0},
                    GreyCase{Twilights(20000, 22000, 85000, 1000), 50000, 255},
                    GreyCase{Twilights(85000, 1000, 40000, 50000), 86000, 107}, // 106.67
                    GreyCase{Twilights(85000, 1000, 40000, 50000), 500, 203},   // 202.67
                    GreyCase{Twilights(85000, 1000, 40000, 50000), 1000, 255},
                    GreyCase{Twilights(85000, 1000, 40000, 50000), 60000, 0}));

// With dawn at or after dusk the night lies between them.
INSTANTIATE_TEST_SUITE_P(DuskBeforeDawn, BandGreyTable,
                         testing::Values(GreyCase{Twilights(6000, 8000, 80000, 5000), 5500, 0},
                                         GreyCase{Twilights(6000, 8000, 80000, 5000), 40000, 255},
                                         GreyCase{Twilights(6000, 6000, 5000, 5000), 5000, 0},
                                         GreyCase{Twilights(6000, 6000, 5000, 5000), 4999, 255},
                                         GreyCase{Twilights(6000, 6000, 5000, 5000), 6001, 255}));

TEST(NormaliseSunTimes, AddsADayToNegativeSunTimesOnly) {
    EventTimesOfDay times{-3600, -1, 0, 70000, 86399, -200, -300};
    NormaliseSunTimes(times);
    EXPECT_EQ(times.SolarMidnightSec, 82800);
    EXPECT_EQ(times.TwilightBeginSec, 86399);
    EXPECT_EQ(times.SunriseSec, 0);
    EXPECT_EQ(times.SunsetSec, 70000);
    EXPECT_EQ(times.TwilightEndSec, 86399);
    EXPECT_EQ(times.MoonriseSec, -200);
    EXPECT_EQ(times.MoonsetSec, -300);
}
