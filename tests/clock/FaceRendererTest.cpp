#include "clock/FaceRenderer.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

constexpr int kDialSize = 223;
constexpr int kTag = 77; // blue of every coordinate-dial pixel

// A dial whose pixel (x, y) is RGB(x, y, 77): a turned, blended copy shows where it was read.
QImage CoordinateDial() {
    QImage dial(kDialSize, kDialSize, QImage::Format_RGB32);
    for (int y = 0; y < kDialSize; ++y)
        for (int x = 0; x < kDialSize; ++x)
            dial.setPixel(x, y, qRgb(x, y, kTag));
    return dial;
}

Colour DialAt(int x, int y) {
    return Rgb(x, y, kTag);
}

const Colour kSky = Rgb(158, 158, 226);
const Colour kOtherSky = Rgb(10, 10, 33);

// Solar midnight 0:10; day 22000..70000 with 2000-second twilights; the moon up 30000..60000.
EventTimesOfDay Times(int solarMidnight = 600) {
    return {solarMidnight, 20000, 22000, 70000, 72000, 30000, 60000};
}

HandSwitches AllOnBut(Hand hand) {
    HandSwitches hands = kAllHandsOn;
    hands[hand] = false;
    return hands;
}

class FaceRendererTest : public testing::Test {
protected:
    void Pass(int solarMidnight, const HandSwitches& hands = kAllHandsOn, Colour sky = kSky) {
        EventTimesOfDay times = Times(solarMidnight);
        renderer.RenderFace(times, hands, sky);
    }
    Colour At(int x, int y) const { return renderer.FacePixel(x, y); }

    FaceRenderer renderer{CoordinateDial()};
};

// Pixels straight above the centre, one in each ring (radius in the name's comment).
constexpr int kYearY = 71;                      // 40
constexpr int kMoonY = 55;                      // 56
constexpr int kInnerMoonY = 49;                 // 62
constexpr int kMoonUpTopY = 48;                 // 63, time 43800: moon up
constexpr int kMoonUpBottomY = 174;             // 63, time 600: moon down
constexpr int kWeekY = 40;                      // 71
constexpr int kHourY = 26;                      // 85
constexpr int kMinuteY = 11;                    // 100
constexpr int kBandTopY = 2;                    // 109, time 43800: day
constexpr int kBandBottomY = 220;               // 109, time 600: night
constexpr int kCircleYs[] = {47, 33, 18, 4, 0}; // 64, 78, 93, 107, 111

} // namespace

TEST_F(FaceRendererTest, StartsAsTheDialWithWhiteBeyondIt) {
    EXPECT_EQ(renderer.Face().size(), QSize(227, 227));
    EXPECT_EQ(At(0, 0), DialAt(0, 0));
    EXPECT_EQ(At(222, 222), DialAt(222, 222));
    EXPECT_EQ(At(223, 5), kWhite);
    EXPECT_EQ(At(226, 226), kWhite);
    EXPECT_FALSE(renderer.FaceDrawn());
}

// Solar midnight 600: minute index 832, hour 992, week 998, year 998.
TEST_F(FaceRendererTest, FirstPassPaintsEveryRingByItsRule) {
    Pass(600);
    EXPECT_TRUE(renderer.FaceDrawn());
    EXPECT_EQ(At(111, 111), DialAt(111, 111)) << "centre disc kept";
    EXPECT_EQ(At(111, 90), DialAt(111, 90)) << "centre disc kept";
    EXPECT_EQ(At(111, kYearY), Rgb(112, 71, kTag)) << "read at (111.503, 71.003)";
    EXPECT_EQ(At(111, kMoonY), DialAt(111, kMoonY)) << "moon ring kept";
    EXPECT_EQ(At(111, kInnerMoonY), kBlack);
    EXPECT_EQ(At(111, kMoonUpTopY), kWhite);
    EXPECT_EQ(At(111, kMoonUpBottomY), kBlack);
    EXPECT_EQ(At(111, kWeekY), Rgb(112, 40, kTag)) << "read at (111.892, 40.006)";
    EXPECT_EQ(At(111, kHourY), Rgb(115, 26, kTag)) << "read at (115.271, 26.107)";
    EXPECT_EQ(At(111, kMinuteY), Rgb(198, 62, kTag)) << "read at (198.018, 61.727)";
    for (int y : kCircleYs)
        EXPECT_EQ(At(111, y), kBlack) << "circle at row " << y;
    EXPECT_EQ(At(111, kBandTopY), kWhite);
    EXPECT_EQ(At(111, kBandBottomY), kBlack);
    EXPECT_EQ(At(2, 120), Rgb(137, 137, 137)) << "time 21067 in the morning twilight";
    EXPECT_EQ(At(0, 0), kSky);
    EXPECT_EQ(At(226, 226), kSky);
    EXPECT_EQ(At(111, 222), kBlack) << "radius 111";
    EXPECT_EQ(At(111, 223), kSky) << "radius 112";
}

TEST_F(FaceRendererTest, FirstPassLeavesCentreDiscAndMoonRingAsTheDial) {
    Pass(600);
    int kept = 0;
    for (int y = 0; y < 223; ++y)
        for (int x = 0; x < 223; ++x) {
            const FaceRing ring = RingOf((x - 111) * (x - 111) + (y - 111) * (y - 111));
            if (ring == FaceRing::CentreDisc || ring == FaceRing::Moon) {
                ASSERT_EQ(At(x, y), DialAt(x, y)) << x << ", " << y;
                ++kept;
            }
        }
    EXPECT_EQ(kept, 2617 + 3896);
}

TEST_F(FaceRendererTest, WeekRingTurnsBackWhenSolarMidnightFallsAfterNoon) {
    Pass(43201); // week index 70
    EXPECT_EQ(At(111, kWeekY), Rgb(81, 47, kTag)) << "read at (80.770, 46.757)";
}

TEST_F(FaceRendererTest, HalfADayTurnsTheHourRingHalfATurn) {
    Pass(43100); // hour index 500: exact pixels, no blending
    EXPECT_EQ(At(111, kHourY), DialAt(111, 196));
    EXPECT_EQ(At(120, 200), DialAt(102, 22));
    Pass(21500); // hour index 750: a quarter turn counter-clockwise
    EXPECT_EQ(At(111, kHourY), DialAt(196, 111));
}

TEST_F(FaceRendererTest, WritesTheCorrectedSunTimesBack) {
    EventTimesOfDay times{-600, -100, 22000, 70000, 72000, -5, -7};
    renderer.RenderFace(times, kAllHandsOn, kSky);
    EXPECT_EQ(times.SolarMidnightSec, 85800);
    EXPECT_EQ(times.TwilightBeginSec, 86300);
    EXPECT_EQ(times.MoonriseSec, -5);
    EXPECT_EQ(times.MoonsetSec, -7);
    EXPECT_EQ(At(111, kMinuteY), Rgb(25, 61, kTag)) << "minute index 166, of 85800";
}

TEST_F(FaceRendererTest, HandsOffFromTheStartBlankTheirRings) {
    const HandSwitches allOff{};
    Pass(600, allOff);
    for (int y : {kYearY, kMoonY, kInnerMoonY, kMoonUpTopY, kMoonUpBottomY, kWeekY, kHourY,
                  kMinuteY, kBandTopY, kBandBottomY})
        EXPECT_EQ(At(111, y), kWhite) << "row " << y;
    EXPECT_EQ(At(111, 47), kBlack) << "the circle at 64 stays black";
    EXPECT_EQ(At(111, 111), DialAt(111, 111));
}

TEST_F(FaceRendererTest, RingOfAHandSwitchedOffKeepsItsLastPicture) {
    Pass(600);
    const Colour minute = At(111, kMinuteY), week = At(111, kWeekY), hour = At(111, kHourY);
    Pass(30000, AllOnBut(MinuteHand));
    EXPECT_EQ(At(111, kMinuteY), minute);
    EXPECT_NE(At(111, kHourY), hour) << "the hour ring still turns";
    Pass(30000, AllOnBut(WeekHand));
    EXPECT_NE(At(111, kMinuteY), minute) << "switched on again, turned at once";
    EXPECT_NE(At(111, kWeekY), week);
    const Colour weekAt30000 = At(111, kWeekY);
    Pass(600, AllOnBut(WeekHand));
    EXPECT_EQ(At(111, kWeekY), weekAt30000);
}

TEST_F(FaceRendererTest, HourHandOffKeepsItsRingButWhitensTheBand) {
    Pass(600);
    const Colour hour = At(111, kHourY);
    Pass(30000, AllOnBut(HourHand));
    EXPECT_EQ(At(111, kHourY), hour);
    EXPECT_EQ(At(111, kBandBottomY), kWhite);
    Pass(600);
    EXPECT_EQ(At(111, kBandBottomY), kBlack);
}

TEST_F(FaceRendererTest, YearRingIsTurnedOnceAndWhitenedForGoodWhenSwitchedOff) {
    Pass(600);
    const Colour turned = Rgb(112, 71, kTag);
    ASSERT_EQ(At(111, kYearY), turned);
    Pass(30000);
    EXPECT_EQ(At(111, kYearY), turned) << "not resampled";
    Pass(30000, AllOnBut(YearHand));
    EXPECT_EQ(At(111, kYearY), kWhite);
    Pass(30000);
    EXPECT_EQ(At(111, kYearY), kWhite) << "stays white after switching on again";
}

TEST_F(FaceRendererTest, MoonRingKeepsTheStartUpCopy) {
    Pass(600);
    Pass(30000, AllOnBut(MoonHand));
    EXPECT_EQ(At(111, kMoonY), DialAt(111, kMoonY));
    EXPECT_EQ(At(111, kInnerMoonY), kWhite);
    EXPECT_EQ(At(111, kMoonUpBottomY), kWhite);
    EXPECT_EQ(At(111, 47), kBlack);
}

TEST_F(FaceRendererTest, MoonRingBlankedAtStartUpStaysBlank) {
    Pass(600, AllOnBut(MoonHand));
    Pass(600);
    EXPECT_EQ(At(111, kMoonY), kWhite);
    EXPECT_EQ(At(111, kInnerMoonY), kBlack);
    EXPECT_EQ(At(111, kMoonUpTopY), kWhite);
    EXPECT_EQ(At(111, kMoonUpBottomY), kBlack);
}

TEST_F(FaceRendererTest, OutsideTakesEachPassSky) {
    Pass(600, kAllHandsOn, kSky);
    Pass(600, kAllHandsOn, kOtherSky);
    EXPECT_EQ(At(0, 0), kOtherSky);
    EXPECT_EQ(At(226, 0), kOtherSky);
}

TEST(FaceRendererDial, ReadsOutsideTheDialAsWhite) {
    // A 100-pixel dial: the rings reach past its edge.
    QImage small(100, 100, QImage::Format_RGB32);
    small.fill(qRgb(0, 0, 0));
    FaceRenderer renderer(small);
    EventTimesOfDay times = Times(0);
    renderer.RenderFace(times, kAllHandsOn, kSky);
    EXPECT_EQ(renderer.FacePixel(111, 40), kWhite) << "week ring read beyond the dial";
    EXPECT_EQ(renderer.FacePixel(50, 50), kBlack) << "hour ring read inside it";
    EXPECT_EQ(renderer.FacePixel(150, 150), kWhite) << "moon ring kept from a white start";
}

TEST(FaceGeometry, CentreIsTwoPixelsUpAndLeftOfTheMiddle) {
    const FaceGeometry geometry = FaceGeometryOf(227, 227);
    EXPECT_EQ(geometry.centreX, 111);
    EXPECT_EQ(geometry.centreY, 111);
    EXPECT_EQ(FaceGeometryOf(228, 229).centreY, 112);
}
