#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/HandGeometry.h"
#include "clock/TickValues.h"

#include <QColor>
#include <QImage>
#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

using namespace horvane;

namespace {

std::string Pixels(const QImage& picture, std::initializer_list<QPoint> points) {
    std::string text;
    for (QPoint point : points)
        text += QColor(picture.pixel(point)).name().toStdString() + " ";
    return text;
}

} // namespace

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
    EXPECT_EQ(Pixels(picture, {{0, 0},
                               {226, 226},
                               {2, 111},
                               {111, 220},
                               {111, 20},
                               {103, 148},
                               {165, 70},
                               {118, 140}}),
              "#f0f0fa #f0f0fa #ffffff #000000 #ff8000 #800000 #ff0000 #0000ff ");
    HandSwitches secondOff = kAllHandsOn;
    secondOff[SecondHand] = false;
    EXPECT_NE(Pixels(ComposeFacePicture(now, times, secondOff), {{111, 20}}), "#ff8000 ");
    const QRgb dusk =
        ComposeFacePicture(ToDateSerial({2026, 12, 6, 19, 43, 20}), times).pixel(0, 0);
    EXPECT_EQ(Rgb(qRed(dusk), qGreen(dusk), qBlue(dusk)), SkyColour(125));
}
