#include "resources/Artwork.h"
#include "clock/FaceRules.h"
#include "resources/DialGeometry.h"
#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/DialDrawing.h"
#include "resources/generator/IconDrawing.h"
#include "resources/generator/LocationButtonDrawing.h"
#include "resources/generator/PolarPoint.h"

#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// The pixel nearest to the point at radius, turn clockwise from the top.
QRgb DialPixelAt(const QImage& dial, double turn, double radius) {
    const QPointF point = PointAt(QPointF(kDialCentre, kDialCentre), turn, radius);
    return dial.pixel(int(std::lround(point.x())), int(std::lround(point.y())));
}

bool IsDark(QRgb pixel) {
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

// The pixel is ink of that colour, at least half covering white: it lies on the way from white
// to the colour, past the middle.
bool IsInkOf(QRgb pixel, QRgb colour) {
    const int darkest = std::min({qRed(colour), qGreen(colour), qBlue(colour)});
    const double coverage =
        double(255 - std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)})) / (255 - darkest);
    const auto near = [&](int channel, int inkChannel) {
        return std::abs(channel - (255 + coverage * (inkChannel - 255))) <= 3;
    };
    return coverage >= 0.5 && near(qRed(pixel), qRed(colour)) &&
           near(qGreen(pixel), qGreen(colour)) && near(qBlue(pixel), qBlue(colour));
}

bool HasInkWithin(const QImage& dial, QRgb colour, int left, int top, int width, int height) {
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (IsInkOf(dial.pixel(x, y), colour))
                return true;
    return false;
}

void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "artwork_tests", *argv[] = {name, nullptr};
    [[maybe_unused]] static QGuiApplication* application =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QGuiApplication(argc, argv));
}

bool SameImage(const QImage& drawn, const QImage& committed) {
    return drawn.convertToFormat(QImage::Format_ARGB32) ==
           committed.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(DialArtwork, IsA24BitPictureOnWhiteWithAPlusSignOnTheCentre) {
    const QImage dial = DialArtwork();
    ASSERT_EQ(dial.size(), QSize(223, 223));
    EXPECT_EQ(dial.format(), QImage::Format_RGB32) << "loaded from 8-bit RGB, no alpha";
    for (QPoint p :
         {QPoint(0, 0), QPoint(222, 0), QPoint(0, 222), QPoint(222, 222), QPoint(110, 110)})
        EXPECT_EQ(dial.pixel(p), kWhite) << p.x() << ", " << p.y();
    for (QPoint p :
         {QPoint(111, 111), QPoint(109, 111), QPoint(113, 111), QPoint(111, 109), QPoint(111, 113)})
        EXPECT_EQ(dial.pixel(p), qRgb(128, 0, 128)) << p.x() << ", " << p.y();
}

TEST(DialArtwork, DrawsOnlyInTheRingsTheFaceTakesFromIt) {
    using enum FaceRing;
    const QImage dial = DialArtwork();
    for (int y = 0; y < dial.height(); ++y)
        for (int x = 0; x < dial.width(); ++x) {
            const FaceRing ring = RingOf((x - kDialCentre) * (x - kDialCentre) +
                                         (y - kDialCentre) * (y - kDialCentre));
            if (ring != CentreDisc && ring != Year && ring != Moon && ring != Week &&
                ring != Hour && ring != Minute) {
                EXPECT_EQ(dial.pixel(x, y), kWhite) << x << ", " << y;
            }
        }
}

// Labels in their rings in their colours, strokes and moon phases where the face reads them.
TEST(DialArtwork, MarksStandWhereTheFaceReadsThem) {
    const QImage dial = DialArtwork();
    // Noon, SUN and 0 at the top; Midnight and 30 at the bottom; JUN just left of the top.
    EXPECT_TRUE(HasInkWithin(dial, qRgb(255, 0, 0), 96, 21, 30, 10)) << "Noon";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(255, 0, 0), 90, 192, 44, 10)) << "Midnight";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(0, 128, 0), 100, 35, 22, 10)) << "SUN";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(128, 0, 0), 105, 6, 12, 10)) << "0";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(128, 0, 0), 103, 206, 16, 10)) << "30";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(0, 0, 128), 95, 66, 20, 12)) << "JUN";
    EXPECT_FALSE(HasInkWithin(dial, qRgb(0, 0, 128), 0, 0, 223, 60)) << "no month above r 51";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 10.0 / 365, 47))) << "1 July";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 194.0 / 365, 47))) << "1 January";
    EXPECT_FALSE(IsDark(DialPixelAt(dial, 0, 47))) << "21 June has no stroke";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 0.5 / 7, 71))) << "Sunday to Monday";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 6.0 / 24, 81))) << "six hours, inside";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 6.0 / 24, 91))) << "six hours, outside";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 1.0 / 60, 105))) << "one minute";
    for (int angle = 0; angle < 360; angle += 15)
        EXPECT_LT(qRed(DialPixelAt(dial, angle / 360.0, 50)), 160) << "circle at " << angle;
    // Full moon at the top, open in a dark rim; new moon at the bottom, filled; last quarter on
    // the right, dark on its right; first quarter on the left, dark on its left.
    EXPECT_EQ(dial.pixel(111, 55), kWhite);
    EXPECT_TRUE(IsDark(dial.pixel(111, 51)));
    EXPECT_TRUE(IsDark(dial.pixel(111, 167)));
    for (double turn : {3.0 / 8, 5.0 / 8})
        EXPECT_TRUE(IsDark(DialPixelAt(dial, turn, 56))) << "crescent at " << turn;
    for (double turn : {1.0 / 8, 7.0 / 8})
        EXPECT_EQ(DialPixelAt(dial, turn, 56), kWhite) << "gibbous at " << turn;
    EXPECT_TRUE(IsDark(dial.pixel(169, 111)));
    EXPECT_EQ(dial.pixel(165, 111), kWhite);
    EXPECT_TRUE(IsDark(dial.pixel(53, 111)));
    EXPECT_EQ(dial.pixel(57, 111), kWhite);
}

TEST(LocationButtonPicture, IsTheDropDownArrowPixelForPixel) {
    const QImage picture = LocationButtonPicture();
    ASSERT_EQ(picture.size(), QSize(17, 14));
    // Rows 4 to 8, each inset by its own row number on either side.
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 17; ++column) {
            const bool arrow = row >= 4 && row <= 8 && column >= row && column <= 16 - row;
            EXPECT_EQ(picture.pixel(column, row), arrow ? qRgb(0, 0, 0) : qRgb(192, 192, 192))
                << column << ", " << row;
        }
}

TEST(WindowIcon, ComesInEverySizeFrom16To256) {
    EnsureGuiApplication();
    const QList<QSize> sizes = WindowIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

// The committed pictures are what the generator draws; Tahoma is needed to draw the same text.
TEST(ArtworkGenerator, DrawsTheCommittedPictures) {
    EnsureGuiApplication();
    if (!LoadArtworkFonts())
        GTEST_SKIP() << "Tahoma is not installed";
    EXPECT_TRUE(SameImage(DrawDial(), DialArtwork()));
    EXPECT_TRUE(SameImage(DrawLocationButton(), LocationButtonPicture()));
    EXPECT_TRUE(SameImage(DrawIcon(32), QImage(":/horvane/icons/horvane-32.png")));
}
