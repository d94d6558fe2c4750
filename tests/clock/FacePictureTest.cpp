#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/FaceRenderer.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"
#include "resources/Artwork.h"

#include <QImage>
#include <QLineF>
#include <algorithm>
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

QLineF LineOf(const HandLine& hand) {
    return QLineF(hand.X1, hand.Y1, hand.X2, hand.Y2);
}

// The pixel lies under or beside a visible hand: near the nearest point of its segment.
bool NearAHand(int x, int y, const HandLines& hands) {
    for (const HandLine& hand : hands) {
        const QLineF line = LineOf(hand);
        const QPointF along = line.p2() - line.p1(), p = QPointF(x, y) - line.p1();
        const double share = QPointF::dotProduct(p, along) / QPointF::dotProduct(along, along);
        if (hand.visible &&
            QLineF(p, std::clamp(share, 0.0, 1.0) * along).length() <= hand.width + 1.5)
            return true;
    }
    return false;
}

// The hands as the tick places them, on kNow's date at the second of the day sec.
HandLines PlacedHands(const HandSwitches& on, SecondsOfDay sec, const EventTimesOfDay& times) {
    HandLines lines = DesignHandLines();
    const HandLengthArray lengths = MeasureHands(lines);
    ShowHands(lines, on);
    PlaceSlowHands(lines, lengths, on, kNow, sec, {});
    PlaceFastHands(lines, lengths, on, sec, times, {});
    return lines;
}

} // namespace

TEST(FacePicture, IsTheFirstPassWithTheHandsOverIt) {
    const QImage picture = ComposeFacePicture(kNow, kTimes);
    ASSERT_EQ(picture.size(), QSize(227, 227));
    FaceRenderer renderer(DialArtwork());
    EventTimesOfDay times = kTimes;
    renderer.RenderFace(times, kAllHandsOn, SkyColour(230));
    const HandLines hands = PlacedHands(kAllHandsOn, SecondsOfDayOf(kNow), kTimes);
    int compared = 0;
    for (int y = 0; y < 227; ++y)
        for (int x = 0; x < 227; ++x)
            if (!NearAHand(x, y, hands)) {
                ASSERT_EQ(ColourOf(picture.pixel(x, y)), renderer.FacePixel(x, y))
                    << x << ", " << y;
                ++compared;
            }
    EXPECT_GT(compared, 45000);
    const HandLine& year = hands[YearHand];
    const QPointF middle = (QPointF(year.X1, year.Y1) + QPointF(year.X2, year.Y2)) / 2;
    EXPECT_EQ(ColourOf(picture.pixel(middle.toPoint())), Rgb(0, 0, 255)) << "year hand";
    EXPECT_EQ(ColourOf(picture.pixel(111, 20)), Rgb(255, 128, 0)) << "second hand, straight up";
    HandSwitches secondOff = kAllHandsOn;
    secondOff[SecondHand] = false;
    EXPECT_NE(ColourOf(ComposeFacePicture(kNow, kTimes, secondOff).pixel(111, 20)),
              Rgb(255, 128, 0));
    // Outside, the sky of the instant: level 230 by day (above), 125 halfway through the evening
    // twilight.
    const QImage dusk = ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), kTimes);
    EXPECT_EQ(ColourOf(dusk.pixel(226, 0)), SkyColour(125));
}

// A quarter of an hour after solar midnight: the minute hand points right (tail 25.25 -> 25),
// the hour hand at 44100/86400 of a turn (tip offset -5.76, 87.81; tail 1.5 and 22).
TEST(TickHands, ShowsAndPlacesOnlyTheHandsThatAreOn) {
    const HandSwitches on{false, true, true, false, false, false};
    const HandLines design = DesignHandLines();
    const HandLines lines = PlacedHands(on, 3900, {3000, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(LineOf(lines[MinuteHand]), QLineF(86, 111, 212, 111));
    EXPECT_EQ(LineOf(lines[HourHand]), QLineF(113, 89, 105, 199));
    for (int hand = 0; hand < kHandCount; ++hand) {
        EXPECT_EQ(lines[hand].visible, on[hand]) << hand;
        if (!on[hand]) {
            EXPECT_EQ(LineOf(lines[hand]), LineOf(design[hand])) << hand;
        }
    }
}
