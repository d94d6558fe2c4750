#include "clock/FaceRules.h"
#include "clock/HLSRGB.h"
#include "clock/HandGeometry.h"

#include <array>
#include <gtest/gtest.h>
#include <tuple>
#include <utility>
#include <vector>

using namespace horvane;

// Rows: solar midnight and the minute, hour and week indices; the year's is always 998. Past
// noon the week ring turns the other way; a turn past the last step is held at 0.
TEST(RingTurns, QuantiseSolarMidnight) {
    const std::array<int, 4> rows[] = {
        {0, 999, 999, 999},     {600, 832, 992, 998},  {3599, 0, 957, 993}, {3600, 999, 957, 993},
        {43200, 999, 499, 928}, {43201, 999, 499, 70}, {85800, 166, 6, 0},  {86399, 0, 0, 0}};
    for (const auto& [solarMidnight, minute, hour, week] : rows) {
        const RingTurns turns = RingTurnsFor(solarMidnight);
        EXPECT_EQ((std::array{turns.minute, turns.hour, turns.week, turns.year}),
                  (std::array{minute, hour, week, 998}))
            << "solar midnight " << solarMidnight;
    }
}

// Each ring from its squared inner radius up to, not including, the next one's.
TEST(RingOf, SquaredRadiiBoundTheRings) {
    using enum FaceRing;
    const std::pair<int, FaceRing> firstOfEach[] = {
        {0, CentreDisc},       {841, Year},     {2601, Moon},    {3844, InnerMoonCircle},
        {3969, MoonUp},        {4096, Circle},  {4225, Week},    {6084, Circle},
        {6241, Hour},          {8649, Circle},  {8836, Minute},  {11449, Circle},
        {11664, DayNightBand}, {12321, Circle}, {12544, Outside}};
    for (const auto& [squaredRadius, ring] : firstOfEach) {
        EXPECT_EQ(RingOf(squaredRadius), ring) << squaredRadius;
        EXPECT_TRUE(squaredRadius == 0 || RingOf(squaredRadius - 1) != ring) << squaredRadius - 1;
    }
}

// Rows: pixel (x, y), solar midnight, time. The four points of the compass and one between;
// the centre row, where the angle's quotient has no value; times brought into the day by one
// day either way.
TEST(PixelTime, CountsClockwiseFromSolarMidnightDown) {
    const std::array<int, 4> rows[] = {
        {111, 1, 0, 43200},      {111, 221, 0, 0},       {1, 112, 0, 21475},
        {221, 112, 0, 64925},    {190, 32, 0, 54000},    {0, 111, 0, 21600},
        {110, 111, 0, 21600},    {112, 111, 0, 64800},   {222, 111, 1000, 65800},
        {221, 112, 30000, 8525}, {111, 1, 86399, 43199}, {112, 221, 0, 86275}};
    for (const auto& [x, y, solarMidnight, time] : rows)
        EXPECT_EQ(PixelTime(x - 111, y - 111, solarMidnight), time)
            << "(" << x << ", " << y << ") solar midnight " << solarMidnight;
}

// Rows: time, rise, set, up. Between rise and set; with set before rise, across midnight;
// neither found (both 0), up all round but at 0.
TEST(MoonIsUp, BetweenRiseAndSetOrAroundMidnight) {
    const std::tuple<int, int, int, bool> rows[] = {
        {1000, 1000, 5000, false},   {1001, 1000, 5000, true}, {4999, 1000, 5000, true},
        {5000, 1000, 5000, false},   {100, 80000, 5000, true}, {80001, 80000, 5000, true},
        {40000, 80000, 5000, false}, {0, 0, 0, false},         {1, 0, 0, true},
        {86399, 0, 0, true}};
    for (const auto& [t, rise, set, up] : rows)
        EXPECT_EQ(MoonIsUp(t, rise, set), up) << "t " << t << " rise " << rise << " set " << set;
}

// Rows by dawn, sunrise, sunset and dusk, then pixel times with their grey levels. An ordinary
// day: the ramps (21999 gives 256, capped), R < t strict, halves to even (0.5, 1.5); a
// twilight across midnight, evening then morning (149.33, 53.33, 106.67, 202.67); dawn at or
// after dusk, the night lying between them.
TEST(BandGrey, FollowsTheTwilights) {
    const std::pair<EventTimesOfDay, std::vector<std::pair<int, int>>> rows[] = {
        {{0, 20000, 22000, 70000, 72000}, {{21000, 128}, {71000, 128}, {20000, 0}, {21999, 255}}},
        {{0, 20000, 22000, 70000, 72000}, {{22000, 0}, {22001, 255}, {70000, 255}, {71999, 0}}},
        {{0, 20000, 22000, 70000, 72000}, {{72000, 0}, {10, 0}}},
        {{0, 20000, 20512, 70000, 72000}, {{20001, 0}, {20003, 2}}},
        {{0, 20000, 22000, 85000, 1000}, {{86000, 149}, {500, 53}, {1000, 0}, {50000, 255}}},
        {{0, 85000, 1000, 40000, 50000}, {{86000, 107}, {500, 203}, {1000, 255}, {60000, 0}}},
        {{0, 6000, 8000, 80000, 5000}, {{5500, 0}, {40000, 255}}},
        {{0, 6000, 6000, 5000, 5000}, {{5000, 0}, {4999, 255}, {6001, 255}}}};
    for (int row = 0; row < 8; ++row)
        for (const auto& [t, grey] : rows[row].second)
            EXPECT_EQ(BandGrey(t, rows[row].first), grey) << "row " << row << ", t " << t;
}

// The sky, dark to light across the luminance-120 switch; pure hues, where full saturation at
// mid luminance reaches 256 in a channel, held at 255, and hues 0 and 240 take the channel hues
// -80 and 320 once round the circle; greys, whatever the hue.
TEST(HlsToRgb, GivesTheColour) {
    const std::tuple<int, int, int, Colour> rows[] = {
        {160, 20, 130, Rgb(10, 10, 33)},     {160, 100, 130, Rgb(48, 48, 165)},
        {160, 120, 130, Rgb(58, 58, 198)},   {160, 121, 130, Rgb(61, 61, 197)},
        {160, 180, 130, Rgb(158, 158, 226)}, {160, 181, 130, Rgb(160, 160, 226)},
        {160, 230, 130, Rgb(240, 240, 250)}, {0, 120, 240, Rgb(255, 0, 0)},
        {80, 120, 240, Rgb(0, 255, 0)},      {160, 120, 240, Rgb(0, 0, 255)},
        {40, 120, 240, Rgb(255, 255, 0)},    {240, 120, 240, Rgb(255, 0, 0)},
        {50, 120, 240, Rgb(192, 255, 0)},    {130, 120, 240, Rgb(0, 192, 255)},
        {220, 120, 240, Rgb(255, 0, 128)},   {200, 120, 0, Rgb(128, 128, 128)},
        {77, 240, 0, Rgb(255, 255, 255)},    {0, 0, 0, Rgb(0, 0, 0)}};
    for (const auto& [hue, luminance, saturation, colour] : rows)
        EXPECT_EQ(HlsToRgb(hue, luminance, saturation), colour)
            << "HLS(" << hue << ", " << luminance << ", " << saturation << ")";
}

// A hue below 0 or above 240 is taken once round the circle, 240 itself is not; between them
// the channel rises from m1 to m2, holds m2, falls back and holds m1, rounding halves to even.
// A blend of two colours mixes each channel, halves to even too (0.5, 1.5, 1.5).
TEST(ColourChannels, HuesWrapOnceAndHalvesRoundToEven) {
    const std::pair<int, int> rows[] = {{-80, 1},   {320, 200}, {240, 1},   {0, 2},
                                        {20, 101},  {40, 200},  {119, 200}, {120, 200},
                                        {140, 101}, {160, 1},   {239, 1}};
    for (const auto& [hue, channel] : rows)
        EXPECT_EQ(HueToChannel(1, 200, hue), channel) << hue;
    EXPECT_EQ(BlendColours(0.5, Rgb(0, 1, 3), Rgb(1, 2, 0)), Rgb(0, 2, 2));
}

TEST(MeasureHand, DesignLinesGiveTheHandLengthsRoundingHalvesToEven) {
    const HandLengthArray expected{109, 101, 88, 69, 54, 43};
    EXPECT_EQ(MeasureHands(DesignHandLines()), expected);
    EXPECT_EQ(MeasureHand({0, 0, 2.5f, 0}), 2);
    EXPECT_EQ(MeasureHand({0, 3.5f, 0, 0}), 4);
}

// Rows: value, period, length, then the tip and the tail. Tails are a quarter of the tip
// offset, rounded halves to even: 22, 13.5 -> 14, 15.5 -> 16, 0.5 -> 0, 1.5 -> 2.
TEST(PlaceHand, PutsTipAndTailAboutTheCentre) {
    const std::array<double, 7> rows[] = {
        {0, 86400, 88, 111, 23, 111, 133}, {86400, 86400, 88, 111, 23, 111, 133},
        {15, 60, 88, 199, 111, 89, 111},   {0.5, 1, 54, 111, 165, 111, 97},
        {-90, 360, 54, 57, 111, 125, 111}, {45, 360, 88, 173, 49, 95, 127},
        {0, 1, 2, 111, 109, 111, 111},     {0.5, 1, 2, 111, 113, 111, 111},
        {0.5, 1, 6, 111, 117, 111, 109}};
    for (const auto& [value, period, length, tipX, tipY, tailX, tailY] : rows) {
        HandLine line;
        PlaceHand(line, value, period, std::int32_t(length), 111, 111);
        EXPECT_EQ((std::array<double, 4>{line.X2, line.Y2, line.X1, line.Y1}),
                  (std::array{tipX, tipY, tailX, tailY}))
            << value << "/" << period << " length " << length;
    }
}
