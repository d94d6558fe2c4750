#include "astro/DateSerial.h"
#include "clock/FacePicture.h"
#include "clock/FaceRenderer.h"
#include "clock/FaceRules.h"
#include "clock/HLSRGB.h"
#include "clock/HandGeometry.h"
#include "clock/TickValues.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace horvane;

namespace {

constexpr int kTag = 77; // blue of every coordinate-dial pixel
const Colour kSky = Rgb(158, 158, 226);

// A dial whose pixel (x, y) is RGB(x, y, 77): a turned, blended copy shows where it was read.
QImage CoordinateDial(int size = 223) {
    QImage dial(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            dial.setPixel(x, y, qRgb(x, y, kTag));
    return dial;
}

// The pixels at x, y, x, y, ...: "x,y" for the coordinate dial's pixel (x, y), "W", "B", or
// "r,g,b".
std::string Pixels(const QImage& image, std::initializer_list<int> xys) {
    std::string text;
    for (const int* xy = xys.begin(); xy != xys.end(); xy += 2) {
        const QRgb pixel = image.pixel(xy[0], xy[1]);
        std::string name = std::to_string(qRed(pixel)) + "," + std::to_string(qGreen(pixel));
        if (qBlue(pixel) != kTag)
            name += "," + std::to_string(qBlue(pixel));
        text += (text.empty() ? "" : " ") + (name == "255,255,255" ? "W"
                                             : name == "0,0,0"     ? "B"
                                                                   : name);
    }
    return text;
}

// The face straight above the centre (and twice below) in each ring, by radius: year 40, moon
// 56, inner moon circle 62, moon-up 63 (above, time 43800 with solar midnight 600: moon up;
// below, time 600: down), the circle at 64, week 71, hour 85, minute 100, band 109 (above: day;
// below: night), and the pixel (226, 0) outside.
std::string Rings(const FaceRenderer& renderer) {
    return Pixels(renderer.Face(), {111, 71, 111, 55, 111, 49, 111, 48, 111, 174, 111, 47,
                                    111, 40, 111, 26, 111, 11, 111, 2,  111, 220, 226, 0});
}

// Each pass has day 22000..70000 with 2000-second twilights and the moon up 30000..60000; the
// hands but those off are on.
void Pass(FaceRenderer& renderer, int solarMidnight, std::initializer_list<Hand> off = {},
          Colour sky = kSky) {
    EventTimesOfDay times{solarMidnight, 20000, 22000, 70000, 72000, 30000, 60000};
    HandSwitches hands = kAllHandsOn;
    for (Hand hand : off)
        hands[hand] = false;
    renderer.RenderFace(times, hands, sky);
}

} // namespace

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

// Rows: pixel (x, y), solar midnight, time. The four points of the compass and one between;
// the centre row, where the angle's quotient has no value; times brought into the day by one
// day either way.
TEST(PixelTime, CountsClockwiseFromSolarMidnightDown) {
    const std::array<int, 4> rows[] = {
        {111, 1, 0, 43200},     {111, 221, 0, 0},        {1, 112, 0, 21475},
        {221, 112, 0, 64925},   {190, 32, 0, 54000},     {110, 111, 0, 21600},
        {112, 111, 0, 64800},   {222, 111, 1000, 65800}, {221, 112, 30000, 8525},
        {111, 1, 86399, 43199}, {112, 221, 0, 86275}};
    for (const auto& [x, y, midnight, time] : rows)
        EXPECT_EQ(PixelTime(x - 111, y - 111, midnight), time)
            << x << ", " << y << " at " << midnight;
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
// -80 and 320 once round the circle; greys, whatever the hue. A hue below 0 or above 240 is
// taken once round the circle, 240 itself is not; between them the channel rises from m1 to m2,
// holds m2, falls back and holds m1, rounding halves to even. A blend of two colours mixes each
// channel, halves to even too (0.5, 1.5, 1.5).
TEST(HlsToRgb, GivesTheColourWithHuesWrappedOnceAndHalvesRoundedToEven) {
    // Rows: hue, luminance, saturation, then red, green and blue.
    const std::array<int, 6> rows[] = {
        {160, 120, 130, 58, 58, 198}, {160, 121, 130, 61, 61, 197}, {0, 120, 240, 255, 0, 0},
        {80, 120, 240, 0, 255, 0},    {160, 120, 240, 0, 0, 255},   {40, 120, 240, 255, 255, 0},
        {240, 120, 240, 255, 0, 0},   {50, 120, 240, 192, 255, 0},  {130, 120, 240, 0, 192, 255},
        {220, 120, 240, 255, 0, 128}, {200, 120, 0, 128, 128, 128}, {77, 240, 0, 255, 255, 255}};
    for (const auto& [h, l, s, r, g, b] : rows)
        EXPECT_EQ(HlsToRgb(h, l, s), Rgb(r, g, b)) << "HLS " << h << ", " << l << ", " << s;
    std::vector<int> channels;
    for (const int hue : {-80, 320, 0, 20, 140, 160})
        channels.push_back(HueToChannel(1, 200, hue));
    EXPECT_EQ(channels, (std::vector{1, 200, 2, 101, 101, 1}));
    EXPECT_EQ(std::pair(HlsToRgb(0, 0, 0), BlendColours(0.5, Rgb(0, 1, 3), Rgb(1, 2, 0))),
              std::pair(Rgb(0, 0, 0), Rgb(0, 2, 2)));
}

// Rows: value, period, length, then the tip and the tail. Tails are a quarter of the tip
// offset, rounded halves to even: 22, 13.5 -> 14, 15.5 -> 16, 0.5 -> 0, 1.5 -> 2. A hand's
// measured length rounds halves to even too.
TEST(PlaceHand, PutsTipAndTailAboutTheCentre) {
    EXPECT_EQ((std::array{MeasureHand({0, 0, 2.5f, 0}), MeasureHand({0, 3.5f, 0, 0})}),
              (std::array{2, 4}));
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

// The buffer starts as the dial, white beyond it. Solar midnight 600: minute index 832, hour 992,
// week 998, year 998. The turned rings read the dial at (111.503, 71.003), (111.892, 40.006),
// (115.271, 26.107) and (198.018, 61.727); the pixel (2, 120) of the band stands for 21067, in the
// morning twilight. The centre disc and the moon ring are kept from the dial.
TEST(FaceRenderer, FirstPassPaintsEveryRingByItsRule) {
    FaceRenderer renderer(CoordinateDial());
    EXPECT_EQ(Pixels(renderer.Face(), {222, 222, 223, 5}), "222,222 W");
    EXPECT_FALSE(renderer.FaceDrawn());
    Pass(renderer, 600);
    EXPECT_TRUE(renderer.FaceDrawn());
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B W B B 112,40 115,26 198,62 W B 158,158,226");
    EXPECT_EQ(Pixels(renderer.Face(), {2, 120}), "137,137,137");
    for (int y = 0; y < 223; ++y)
        for (int x = 0; x < 223; ++x) {
            const FaceRing ring = RingOf((x - 111) * (x - 111) + (y - 111) * (y - 111));
            if (ring == FaceRing::CentreDisc || ring == FaceRing::Moon) {
                ASSERT_EQ(renderer.FacePixel(x, y), Rgb(x, y, kTag)) << x << ", " << y;
            }
        }
}

// Hour index 750 gives exact pixels, with no blending. A day is added to negative sun
// times only, in the caller's record too; the moon's are used as they are.
TEST(FaceRenderer, TurnsTheRingsByEachPassSolarMidnightBlendingWhiteBeyondTheDial) {
    FaceRenderer renderer(CoordinateDial());
    Pass(renderer, 21500); // hour index 750: a quarter turn counter-clockwise
    EXPECT_EQ(Pixels(renderer.Face(), {111, 26}), "196,111");
    EventTimesOfDay times{-600, -1, 0, 70000, 72000, -5, -7};
    renderer.RenderFace(times, kAllHandsOn, kSky);
    EXPECT_EQ((std::array{times.SolarMidnightSec, times.TwilightBeginSec, times.SunriseSec,
                          times.MoonriseSec, times.MoonsetSec}),
              (std::array{85800, 86399, 0, -5, -7}));
    EXPECT_EQ(Pixels(renderer.Face(), {111, 11}), "25,61") << "minute index 166, of 85800";

    // A dial one pixel short of the hour ring's right and bottom ends: at solar midnight 0
    // (index 999) the ring pixels 85 to the right of and below the centre are read at
    // (195.998, 111.534) and (110.466, 195.998), straddling the dial's last column and last
    // row. The missing neighbours read white, and the blend lies almost all on them.
    FaceRenderer small(CoordinateDial(196));
    Pass(small, 0);
    EXPECT_EQ(Pixels(small.Face(), {196, 111, 111, 196}), "W W");
    Pass(small, 43100); // hour index 500 reads (26, 111) exactly, well inside
    EXPECT_EQ(Pixels(small.Face(), {196, 111}), "26,111");
}

// Rings of hands off from the start are blank; the circles stay black. A ring of a hand
// switched off later keeps its last picture and is turned as soon as it is switched on again;
// the band is white while the hour hand is off. The year ring is turned on the first pass only
// and whitened for good when switched off; the moon ring keeps the start-up copy of the dial.
// At solar midnight 30000 the top of the band stands for 73200, night.
TEST(FaceRenderer, RingsOfHandsSwitchedOffAreBlankedOrKept) {
    FaceRenderer fromTheStart(CoordinateDial());
    Pass(fromTheStart, 600, {SecondHand, MinuteHand, HourHand, WeekHand, MoonHand, YearHand});
    EXPECT_EQ(Rings(fromTheStart), "W W W W W B W W W W W 158,158,226");
    Pass(fromTheStart, 600);
    EXPECT_EQ(Rings(fromTheStart), "W W B W B B 112,40 115,26 198,62 W B 158,158,226");

    FaceRenderer renderer(CoordinateDial());
    Pass(renderer, 600);
    Pass(renderer, 30000, {MinuteHand, HourHand}, Rgb(10, 10, 33));
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B B B B 133,44 115,26 198,62 W W 10,10,33");
    Pass(renderer, 30000, {WeekHand});
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B B B B 133,44 180,160 197,161 B W 158,158,226");
    Pass(renderer, 600, {WeekHand});
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B W B B 133,44 115,26 198,62 W B 158,158,226");
    Pass(renderer, 30000, {YearHand, MoonHand});
    EXPECT_EQ(Rings(renderer), "W 111,55 W W W B 133,44 180,160 197,161 B W 158,158,226");
    Pass(renderer, 30000);
    EXPECT_EQ(Rings(renderer), "W 111,55 B B B B 133,44 180,160 197,161 B W 158,158,226");
}

// Sunday 6 December 2026 15:42:00, solar midnight 0:10: the sun is up (sky level 230, round the
// face) and solar midnight lies 15:32 back. The band is white at the left (time 6:10, after
// sunrise) and black at the bottom (0:10). Hands: the second straight up; the minute at 32
// minutes past solar midnight's hour, down a little left; the hour at 55920/86400 of a turn, up
// to the right of the tail; the year, 168.65 days after 21 June, a little right of straight
// down. With the second hand off, neither it nor its design line shows. Halfway through the
// evening twilight the sky is at level 125.
TEST(FacePicture, ShowsTheFaceOfTheInstantWithTheHandsOverIt) {
    const DateSerial now = ToDateSerial({2026, 12, 6, 15, 42, 0});
    const EventTimesOfDay times{600, 20000, 22000, 70000, 72000, 30000, 60000};
    const QImage picture = ComposeFacePicture(now, times);
    ASSERT_EQ(picture.size(), QSize(227, 227));
    EXPECT_EQ(
        Pixels(picture, {0, 0, 226, 226, 2, 111, 111, 220, 111, 20, 103, 148, 165, 70, 118, 140}),
        "240,240,250 240,240,250 W B 255,128,0 128,0,0 255,0,0 0,0,255");
    HandSwitches secondOff = kAllHandsOn;
    secondOff[SecondHand] = false;
    EXPECT_EQ(Pixels(ComposeFacePicture(now, times, secondOff), {111, 20, 23, 56}), "W W");
    const QRgb dusk =
        ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), times).pixel(0, 0);
    EXPECT_EQ(Rgb(qRed(dusk), qGreen(dusk), qBlue(dusk)), SkyColour(125));
}
