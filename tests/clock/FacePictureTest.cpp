#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"

#include <QImage>
#include <QLineF>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

// Sunday 6 December 2026 15:42:00, solar midnight 0:10: the second hand points straight up.
const DateSerial kNow = ToDateSerial({2026, 12, 6, 15, 42, 0});
const EventTimesOfDay kTimes{600, 20000, 22000, 70000, 72000, 30000, 60000};

Colour ColourOf(QRgb pixel) {
    return Rgb(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

QLineF LineOf(const HandLine& hand) {
    return QLineF(hand.X1, hand.Y1, hand.X2, hand.Y2);
}

} // namespace

// At 15:42 the sun is up (sky level 230) and solar midnight lies 15:32 back: the band is white
// at the left (time 6:10, after sunrise) and black at the bottom (0:10); the second hand points
// straight up and the year hand, 168.65 days after 21 June, a little right of straight down.
TEST(FacePicture, ShowsTheFaceOfTheInstantWithTheHandsOverIt) {
    const QImage picture = ComposeFacePicture(kNow, kTimes);
    ASSERT_EQ(picture.size(), QSize(227, 227));
    for (QPoint corner : {QPoint(0, 0), QPoint(226, 0), QPoint(0, 226), QPoint(226, 226)})
        EXPECT_EQ(ColourOf(picture.pixel(corner)), Rgb(240, 240, 250));
    EXPECT_EQ(ColourOf(picture.pixel(2, 111)), kWhite) << "band, morning";
    EXPECT_EQ(ColourOf(picture.pixel(111, 220)), kBlack) << "band, solar midnight";
    EXPECT_EQ(ColourOf(picture.pixel(111, 20)), Rgb(255, 128, 0)) << "second hand, straight up";
    EXPECT_EQ(ColourOf(picture.pixel(118, 140)), Rgb(0, 0, 255)) << "year hand";
    HandSwitches secondOff = kAllHandsOn;
    secondOff[SecondHand] = false;
    EXPECT_NE(ColourOf(ComposeFacePicture(kNow, kTimes, secondOff).pixel(111, 20)),
              Rgb(255, 128, 0));
    // Halfway through the evening twilight the sky is at level 125.
    const QImage dusk = ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), kTimes);
    EXPECT_EQ(ColourOf(dusk.pixel(226, 0)), SkyColour(125));
}

// A quarter of an hour after solar midnight: the minute hand points right (tail 25.25 -> 25),
// the hour hand at 44100/86400 of a turn (tip offset -5.76, 87.81; tail 1.5 and 22).
TEST(TickHands, ShowsAndPlacesOnlyTheHandsThatAreOn) {
    const HandSwitches on{false, true, true, false, false, false};
    const HandLines design = DesignHandLines();
    HandLines lines = design;
    ShowHands(lines, on);
    PlaceSlowHands(lines, MeasureHands(design), on, kNow, 3900, {});
    PlaceFastHands(lines, MeasureHands(design), on, 3900, {3000, 0, 0, 0, 0, 0, 0}, {});
    EXPECT_EQ(LineOf(lines[MinuteHand]), QLineF(86, 111, 212, 111));
    EXPECT_EQ(LineOf(lines[HourHand]), QLineF(113, 89, 105, 199));
    for (int hand = 0; hand < kHandCount; ++hand) {
        EXPECT_EQ(lines[hand].visible, on[hand]) << hand;
        if (!on[hand]) {
            EXPECT_EQ(LineOf(lines[hand]), LineOf(design[hand])) << hand;
        }
    }
}
