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
#include <tuple>

using namespace horvane;

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// The pixel nearest to the point at radius, turn clockwise from the top.
QRgb DialPixelAt(const QImage& dial, double turn, double radius) {
    const QPointF point = PointAt(QPointF(kDialCentre, kDialCentre), turn, radius);
    return dial.pixel(int(std::lround(point.x())), int(std::lround(point.y())));
}

const char* Shade(QRgb pixel) {
    if (pixel == kWhite)
        return "white";
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100 ? "dark" : "grey";
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

bool HasInkWithin(const QImage& dial, QRgb colour, QRect box) {
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
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
    const std::tuple<const char*, QRgb, QRect, bool> labels[] = {
        {"Noon", qRgb(255, 0, 0), {96, 21, 30, 10}, true},
        {"Midnight", qRgb(255, 0, 0), {90, 192, 44, 10}, true},
        {"SUN", qRgb(0, 128, 0), {100, 35, 22, 10}, true},
        {"0", qRgb(128, 0, 0), {105, 6, 12, 10}, true},
        {"30", qRgb(128, 0, 0), {103, 206, 16, 10}, true},
        {"JUN, just left of the top", qRgb(0, 0, 128), {95, 66, 20, 12}, true},
        {"no month above r 51", qRgb(0, 0, 128), {0, 0, 223, 60}, false}};
    for (const auto& [what, colour, box, ink] : labels)
        EXPECT_EQ(HasInkWithin(dial, colour, box), ink) << what;
    // Strokes: 1 July and 1 January but not 21 June, Sunday to Monday, six hours inside and
    // outside, one minute. Moons: full at the top, open in a dark rim; new at the bottom,
    // filled; crescents and gibbous between; last quarter on the right, dark on its right;
    // first quarter on the left, dark on its left.
    const std::tuple<double, double, const char*> points[] = {
        {10.0 / 365, 47, "dark"}, {194.0 / 365, 47, "dark"}, {0, 47, "white"},
        {0.5 / 7, 71, "dark"},    {6.0 / 24, 81, "dark"},    {6.0 / 24, 91, "dark"},
        {1.0 / 60, 105, "dark"},  {0, 56, "white"},          {0, 60, "dark"},
        {0.5, 56, "dark"},        {3.0 / 8, 56, "dark"},     {5.0 / 8, 56, "dark"},
        {1.0 / 8, 56, "white"},   {7.0 / 8, 56, "white"},    {0.25, 58, "dark"},
        {0.25, 54, "white"},      {0.75, 58, "dark"},        {0.75, 54, "white"}};
    for (const auto& [turn, radius, shade] : points)
        EXPECT_STREQ(Shade(DialPixelAt(dial, turn, radius)), shade) << turn << " at " << radius;
    for (int angle = 0; angle < 360; angle += 15)
        EXPECT_LT(qRed(DialPixelAt(dial, angle / 360.0, 50)), 160) << "circle at " << angle;
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
