#include "clock/FaceRenderer.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

using namespace horvane;

namespace {

constexpr int kTag = 77; // blue of every coordinate-dial pixel
const Colour kSky = Rgb(158, 158, 226);
const Colour kOtherSky = Rgb(10, 10, 33);

HandSwitches AllOnBut(std::initializer_list<Hand> off) {
    HandSwitches hands = kAllHandsOn;
    for (Hand hand : off)
        hands[hand] = false;
    return hands;
}

// Rows straight above the centre (and two below), one in each ring, by radius: year 40, moon
// 56, inner moon circle 62, moon-up ring 63 (above, time 43800 with solar midnight 600: moon up;
// below, time 600: down), week 71, hour 85, minute 100, band 109 (above: day; below: night),
// and the circles at 64, 78, 93, 107 and 111.
constexpr int kYearY = 71, kMoonY = 55, kInnerMoonY = 49, kMoonUpTopY = 48, kMoonUpBottomY = 174,
              kWeekY = 40, kHourY = 26, kMinuteY = 11, kBandTopY = 2, kBandBottomY = 220;

// A renderer over a dial whose pixel (x, y) is RGB(x, y, 77): a turned, blended copy shows
// where it was read. Each pass has day 22000..70000 with 2000-second twilights and the moon up
// 30000..60000.
class FaceRendererTest : public testing::Test {
protected:
    static QImage CoordinateDial() {
        QImage dial(223, 223, QImage::Format_RGB32);
        for (int y = 0; y < 223; ++y)
            for (int x = 0; x < 223; ++x)
                dial.setPixel(x, y, qRgb(x, y, kTag));
        return dial;
    }
    void Pass(int solarMidnight, const HandSwitches& hands = kAllHandsOn, Colour sky = kSky) {
        EventTimesOfDay times{solarMidnight, 20000, 22000, 70000, 72000, 30000, 60000};
        renderer.RenderFace(times, hands, sky);
    }
    Colour At(int x, int y) const { return renderer.FacePixel(x, y); }
    // The face straight above or below the centre at each row.
    std::vector<Colour> Column(std::initializer_list<int> rows) const {
        std::vector<Colour> colours;
        for (int y : rows)
            colours.push_back(At(111, y));
        return colours;
    }
    static Colour DialAt(int x, int y) { return Rgb(x, y, kTag); }

    FaceRenderer renderer{CoordinateDial()};
};

} // namespace

// The buffer starts as the dial, white beyond it. Solar midnight 600: minute index 832, hour 992,
// week 998, year 998. The turned rings read the dial at (111.503, 71.003), (111.892, 40.006),
// (115.271, 26.107) and (198.018, 61.727); the pixel (2, 120) of the band stands for 21067, in the
// morning twilight.
TEST_F(FaceRendererTest, FirstPassPaintsEveryRingByItsRule) {
    EXPECT_EQ(renderer.Face().size(), QSize(227, 227));
    EXPECT_EQ((std::vector{At(222, 222), At(223, 5)}), (std::vector{DialAt(222, 222), kWhite}));
    EXPECT_FALSE(renderer.FaceDrawn());
    Pass(600);
    EXPECT_TRUE(renderer.FaceDrawn());
    EXPECT_EQ(Column({kYearY, kInnerMoonY, kMoonUpTopY, kMoonUpBottomY, kWeekY, kHourY, kMinuteY,
                      kBandTopY, kBandBottomY, 222, 223}),
              (std::vector{Rgb(112, 71, kTag), kBlack, kWhite, kBlack, Rgb(112, 40, kTag),
                           Rgb(115, 26, kTag), Rgb(198, 62, kTag), kWhite, kBlack, kBlack, kSky}));
    EXPECT_EQ(Column({47, 33, 18, 4, 0}), std::vector<Colour>(5, kBlack)) << "the circles";
    EXPECT_EQ((std::vector{At(2, 120), At(226, 226)}), (std::vector{Rgb(137, 137, 137), kSky}));
    for (int y = 0; y < 223; ++y)
        for (int x = 0; x < 223; ++x) {
            const FaceRing ring = RingOf((x - 111) * (x - 111) + (y - 111) * (y - 111));
            if (ring == FaceRing::CentreDisc || ring == FaceRing::Moon) {
                ASSERT_EQ(At(x, y), DialAt(x, y)) << "kept from the dial at " << x << ", " << y;
            }
        }
}

// Hour index 500 and 750 give exact pixels, with no blending. A day is added to negative sun
// times only, in the caller's record too; the moon's are used as they are.
TEST_F(FaceRendererTest, TurnsTheRingsByEachPassSolarMidnight) {
    Pass(43100); // hour index 500: half a turn
    EXPECT_EQ((std::vector{At(111, kHourY), At(120, 200)}),
              (std::vector{DialAt(111, 196), DialAt(102, 22)}));
    Pass(21500); // hour index 750: a quarter turn counter-clockwise
    EXPECT_EQ(At(111, kHourY), DialAt(196, 111));
    Pass(43201); // week index 70: past noon the week ring turns back
    EXPECT_EQ(At(111, kWeekY), Rgb(81, 47, kTag)) << "read at (80.770, 46.757)";
    EventTimesOfDay times{-600, -1, 0, 70000, 72000, -5, -7};
    renderer.RenderFace(times, kAllHandsOn, kSky);
    EXPECT_EQ((std::array{times.SolarMidnightSec, times.TwilightBeginSec, times.SunriseSec,
                          times.MoonriseSec, times.MoonsetSec}),
              (std::array{85800, 86399, 0, -5, -7}));
    EXPECT_EQ(At(111, kMinuteY), Rgb(25, 61, kTag)) << "minute index 166, of 85800";
}

// Rings of hands off from the start are blank, the circle at 64 stays black; switched on, the
// year ring is not turned after the first pass and the moon ring keeps its start-up blank.
TEST_F(FaceRendererTest, HandsOffFromTheStartBlankTheirRings) {
    Pass(600, HandSwitches{});
    EXPECT_EQ(Column({kYearY, kMoonY, kInnerMoonY, kMoonUpTopY, kMoonUpBottomY, kWeekY, kHourY,
                      kMinuteY, kBandTopY, kBandBottomY, 47}),
              (std::vector{kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite, kWhite,
                           kWhite, kBlack}));
    Pass(600);
    EXPECT_EQ(Column({kYearY, kMoonY, kInnerMoonY, kMoonUpBottomY, kHourY}),
              (std::vector{kWhite, kWhite, kBlack, kBlack, Rgb(115, 26, kTag)}));
}

// A ring of a hand switched off keeps its last picture and is turned as soon as it is switched
// on again. At solar midnight 30000 the top of the band stands for 73200, night.
TEST_F(FaceRendererTest, RingOfAHandSwitchedOffKeepsItsLastPicture) {
    Pass(600);
    const Colour minute = At(111, kMinuteY), hour = At(111, kHourY), week = At(111, kWeekY);
    Pass(30000, AllOnBut({MinuteHand, HourHand}), kOtherSky);
    EXPECT_EQ(Column({kMinuteY, kHourY, kBandTopY}), (std::vector{minute, hour, kWhite}))
        << "the band is white while the hour hand is off";
    EXPECT_NE(At(111, kWeekY), week) << "the week ring still turns";
    EXPECT_EQ(At(226, 0), kOtherSky) << "outside takes each pass's sky";
    Pass(30000, AllOnBut({WeekHand}));
    EXPECT_NE(At(111, kMinuteY), minute);
    EXPECT_NE(At(111, kHourY), hour);
    EXPECT_EQ(At(111, kBandTopY), kBlack);
    const Colour weekAt30000 = At(111, kWeekY);
    Pass(600, AllOnBut({WeekHand}));
    EXPECT_EQ(At(111, kWeekY), weekAt30000);
}

// The year ring is turned on the first pass only and whitened for good when switched off; the
// moon ring keeps the start-up copy of the dial.
TEST_F(FaceRendererTest, YearAndMoonRingsAreNotTurnedAfterTheFirstPass) {
    Pass(600);
    Pass(30000);
    EXPECT_EQ(At(111, kYearY), Rgb(112, 71, kTag)) << "as turned for solar midnight 600";
    Pass(30000, AllOnBut({YearHand, MoonHand}));
    EXPECT_EQ(Column({kYearY, kMoonY, kInnerMoonY, kMoonUpBottomY, 47}),
              (std::vector{kWhite, DialAt(111, kMoonY), kWhite, kWhite, kBlack}));
    Pass(30000);
    EXPECT_EQ(Column({kYearY, kMoonY}), (std::vector{kWhite, DialAt(111, kMoonY)}));
}

// A coordinate dial one pixel short of the hour ring's right and bottom ends: at solar midnight 0
// (index 999) the ring pixels 85 to the right of and below the centre are read at
// (195.998, 111.534) and (110.466, 195.998), straddling the dial's last column and last row. The
// missing neighbours read white, and the blend lies almost all on them.
TEST_F(FaceRendererTest, BlendsTheLastColumnAndRowWithWhiteBeyondThem) {
    renderer = FaceRenderer(CoordinateDial().copy(0, 0, 196, 196));
    Pass(0);
    EXPECT_EQ((std::vector{At(196, 111), At(111, 196)}), (std::vector{kWhite, kWhite}));
    Pass(43100); // hour index 500 reads (26, 111) and (111, 26) exactly, well inside
    EXPECT_EQ(At(196, 111), DialAt(26, 111));
}
