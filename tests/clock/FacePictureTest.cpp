#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/FaceRenderer.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"
#include "resources/Artwork.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

// Sunday 6 December 2026 15:42:00, solar midnight 0:10: the second hand points straight up.
const DateSerial kNow = ToDateSerial({2026, 12, 6, 15, 42, 0});
const EventTimesOfDay kTimes{600, 20000, 22000, 70000, 72000, 30000, 60000};

Colour ColourOf(QRgb pixel) {
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

double DistanceToSegment(QPointF p, QPointF a, QPointF b) {
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double along =
        length2 == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0);
    const QPointF nearest = a + along * ab;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

// The pixel lies under or beside a visible hand.
bool NearAHand(int x, int y, const HandLines& lines) {
    for (const HandLine& line : lines)
        if (line.visible && DistanceToSegment(QPointF(x, y), QPointF(line.X1, line.Y1),
                                              QPointF(line.X2, line.Y2)) <= line.width + 1.5)
            return true;
    return false;
}

HandLines PlacedHands(const HandSwitches& on) {
    HandLines lines = DesignHandLines();
    const HandLengthArray lengths = MeasureHands(lines);
    ShowHands(lines, on);
    PlaceSlowHands(lines, lengths, on, kNow, SecondsOfDayOf(kNow), {});
    PlaceFastHands(lines, lengths, on, SecondsOfDayOf(kNow), kTimes, {});
    return lines;
}

} // namespace

TEST(FacePicture, IsTheFirstPassWithTheHandsOverIt) {
    const QImage picture = ComposeFacePicture(kNow, kTimes);
    ASSERT_EQ(picture.size(), QSize(227, 227));

    FaceRenderer renderer(DialArtwork());
    EventTimesOfDay times = kTimes;
    renderer.RenderFace(times, kAllHandsOn, SkyColour(SkyLevelAt(SecondsOfDayOf(kNow), kTimes)));
    const HandLines hands = PlacedHands(kAllHandsOn);
    int compared = 0;
    for (int y = 0; y < 227; ++y)
        for (int x = 0; x < 227; ++x)
            if (!NearAHand(x, y, hands)) {
                ASSERT_EQ(ColourOf(picture.pixel(x, y)), renderer.FacePixel(x, y))
                    << x << ", " << y;
                ++compared;
            }
    EXPECT_GT(compared, 45000);
}

TEST(FacePicture, OutsideTakesTheSkyOfThatInstant) {
    const QImage day = ComposeFacePicture(kNow, kTimes);
    EXPECT_EQ(ColourOf(day.pixel(0, 0)), SkyColour(230));
    const QImage dusk =
        ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), kTimes); // 71000
    EXPECT_EQ(ColourOf(dusk.pixel(226, 0)), SkyColour(125));
}

TEST(FacePicture, DrawsTheHandsInTheirColours) {
    const QImage picture = ComposeFacePicture(kNow, kTimes);
    EXPECT_EQ(ColourOf(picture.pixel(111, 20)), Rgb(255, 128, 0)) << "second hand, straight up";
    const HandLines hands = PlacedHands(kAllHandsOn);
    const HandLine& year = hands[YearHand];
    const QPoint middle(int(std::lround((year.X1 + year.X2) / 2)),
                        int(std::lround((year.Y1 + year.Y2) / 2)));
    EXPECT_EQ(ColourOf(picture.pixel(middle)), Rgb(0, 0, 255)) << "year hand";
}

TEST(FacePicture, LeavesOutHandsThatAreOff) {
    HandSwitches secondOff = kAllHandsOn;
    secondOff[SecondHand] = false;
    const QImage picture = ComposeFacePicture(kNow, kTimes, secondOff);
    EXPECT_NE(ColourOf(picture.pixel(111, 20)), Rgb(255, 128, 0));
}

TEST(TickHands, PlacesOnlyTheHandsThatAreOn) {
    HandSwitches on{};
    on[HourHand] = true;
    HandLines lines = DesignHandLines();
    const HandLines design = lines;
    const HandLengthArray lengths = MeasureHands(lines);
    ShowHands(lines, on);
    EventTimesOfDay times;
    times.SolarMidnightSec = 3000;
    PlaceFastHands(lines, lengths, on, 3000, times, {});
    PlaceSlowHands(lines, lengths, on, kNow, 3000, {});
    EXPECT_TRUE(lines[HourHand].visible);
    EXPECT_EQ(lines[HourHand].X2, 111);
    EXPECT_EQ(lines[HourHand].Y2, 111 + 88) << "solar midnight points straight down";
    for (Hand hand : {SecondHand, MinuteHand, WeekHand, MoonHand, YearHand}) {
        EXPECT_FALSE(lines[hand].visible);
        EXPECT_EQ(lines[hand].X2, design[hand].X2) << hand;
        EXPECT_EQ(lines[hand].Y1, design[hand].Y1) << hand;
    }
}
