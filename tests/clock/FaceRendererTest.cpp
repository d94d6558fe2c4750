#include "clock/FaceRenderer.h"
#include "astro/DateSerial.h"
#include "clock/FacePicture.h"
#include "clock/TickValues.h"

#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

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

HandSwitches AllOnBut(std::initializer_list<Hand> off) {
    HandSwitches hands = kAllHandsOn;
    for (Hand hand : off)
        hands[hand] = false;
    return hands;
}

// Each pass has day 22000..70000 with 2000-second twilights and the moon up 30000..60000.
void Pass(FaceRenderer& renderer, int solarMidnight, const HandSwitches& hands = kAllHandsOn,
          Colour sky = kSky) {
    EventTimesOfDay times{solarMidnight, 20000, 22000, 70000, 72000, 30000, 60000};
    renderer.RenderFace(times, hands, sky);
}

} // namespace

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
TEST(FaceRenderer, TurnsTheRingsByEachPassSolarMidnight) {
    FaceRenderer renderer(CoordinateDial());
    Pass(renderer, 21500); // hour index 750: a quarter turn counter-clockwise
    EXPECT_EQ(Pixels(renderer.Face(), {111, 26}), "196,111");
    EventTimesOfDay times{-600, -1, 0, 70000, 72000, -5, -7};
    renderer.RenderFace(times, kAllHandsOn, kSky);
    EXPECT_EQ((std::array{times.SolarMidnightSec, times.TwilightBeginSec, times.SunriseSec,
                          times.MoonriseSec, times.MoonsetSec}),
              (std::array{85800, 86399, 0, -5, -7}));
    EXPECT_EQ(Pixels(renderer.Face(), {111, 11}), "25,61") << "minute index 166, of 85800";
}

// Rings of hands off from the start are blank; the circles stay black. A ring of a hand
// switched off later keeps its last picture and is turned as soon as it is switched on again;
// the band is white while the hour hand is off. The year ring is turned on the first pass only
// and whitened for good when switched off; the moon ring keeps the start-up copy of the dial.
// At solar midnight 30000 the top of the band stands for 73200, night.
TEST(FaceRenderer, RingsOfHandsSwitchedOffAreBlankedOrKept) {
    FaceRenderer fromTheStart(CoordinateDial());
    Pass(fromTheStart, 600, HandSwitches{});
    EXPECT_EQ(Rings(fromTheStart), "W W W W W B W W W W W 158,158,226");
    Pass(fromTheStart, 600);
    EXPECT_EQ(Rings(fromTheStart), "W W B W B B 112,40 115,26 198,62 W B 158,158,226");

    FaceRenderer renderer(CoordinateDial());
    Pass(renderer, 600);
    Pass(renderer, 30000, AllOnBut({MinuteHand, HourHand}), Rgb(10, 10, 33));
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B B B B 133,44 115,26 198,62 W W 10,10,33");
    Pass(renderer, 30000, AllOnBut({WeekHand}));
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B B B B 133,44 180,160 197,161 B W 158,158,226");
    Pass(renderer, 600, AllOnBut({WeekHand}));
    EXPECT_EQ(Rings(renderer), "112,71 111,55 B W B B 133,44 115,26 198,62 W B 158,158,226");
    Pass(renderer, 30000, AllOnBut({YearHand, MoonHand}));
    EXPECT_EQ(Rings(renderer), "W 111,55 W W W B 133,44 180,160 197,161 B W 158,158,226");
    Pass(renderer, 30000);
    EXPECT_EQ(Rings(renderer), "W 111,55 B B B B 133,44 180,160 197,161 B W 158,158,226");
}

// A dial one pixel short of the hour ring's right and bottom ends: at solar midnight 0 (index
// 999) the ring pixels 85 to the right of and below the centre are read at (195.998, 111.534)
// and (110.466, 195.998), straddling the dial's last column and last row. The missing
// neighbours read white, and the blend lies almost all on them.
TEST(FaceRenderer, BlendsTheLastColumnAndRowWithWhiteBeyondThem) {
    FaceRenderer renderer(CoordinateDial(196));
    Pass(renderer, 0);
    EXPECT_EQ(Pixels(renderer.Face(), {196, 111, 111, 196}), "W W");
    Pass(renderer, 43100); // hour index 500 reads (26, 111) exactly, well inside
    EXPECT_EQ(Pixels(renderer.Face(), {196, 111}), "26,111");
}

// Sunday 6 December 2026 15:42:00, solar midnight 0:10: the sun is up (sky level 230, round the
// face) and solar midnight lies 15:32 back. The band is white at the left (time 6:10, after
// sunrise) and black at the bottom (0:10). Hands: the second straight up; the minute at 32
// minutes past solar midnight's hour, down a little left; the hour at 55920/86400 of a turn, up
// to the right of the tail; the year, 168.65 days after 21 June, a little right of straight
// down. Halfway through the evening twilight the sky is at level 125.
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
    EXPECT_NE(Pixels(ComposeFacePicture(now, times, secondOff), {111, 20}), "255,128,0");
    const QRgb dusk =
        ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), times).pixel(0, 0);
    EXPECT_EQ(Rgb(qRed(dusk), qGreen(dusk), qBlue(dusk)), SkyColour(125));
}
