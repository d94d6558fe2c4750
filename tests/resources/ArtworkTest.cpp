#include "resources/Artwork.h"
#include "clock/FaceRules.h"
#include "resources/DialGeometry.h"
#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/DialDrawing.h"
#include "resources/generator/IconDrawing.h"
#include "resources/generator/LocationButtonDrawing.h"
#include "resources/generator/PolarPoint.h"
#include "testing/WidgetApplication.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;

namespace {

// The ink the pixel shows, at least half covering white (it lies on the way from white to the
// ink's colour, past the middle); "white", or "grey" for anything else.
std::string InkOf(QRgb pixel) {
    const char* const names[] = {"black", "red", "green", "maroon", "navy"};
    const QRgb inks[] = {0x000000, 0xff0000, 0x008000, 0x800000, 0x000080};
    for (int i = 0; i < 5; ++i) {
        const int channels[] = {qRed(pixel), qGreen(pixel), qBlue(pixel)};
        const int inkChannels[] = {qRed(inks[i]), qGreen(inks[i]), qBlue(inks[i])};
        const double coverage = (255 - *std::min_element(channels, channels + 3)) /
                                (255.0 - *std::min_element(inkChannels, inkChannels + 3));
        if (coverage >= 0.5 && std::equal(channels, channels + 3, inkChannels, [&](int c, int ink) {
                return std::abs(c - (255 + coverage * (ink - 255))) <= 3;
            }))
            return names[i];
    }
    return pixel == qRgb(255, 255, 255) ? "white" : "grey";
}

} // namespace

// White wherever the face does not take the dial, and around a purple plus sign on the centre.
TEST(DialArtwork, IsA24BitPictureWhiteOutsideTheRingsTheFaceTakes) {
    using enum FaceRing;
    const QImage dial = DialArtwork();
    ASSERT_EQ(dial.size(), QSize(223, 223));
    EXPECT_EQ(dial.format(), QImage::Format_RGB32) << "loaded from 8-bit RGB, no alpha";
    for (int y = 0; y < dial.height(); ++y)
        for (int x = 0; x < dial.width(); ++x) {
            const int dx = x - kDialCentre, dy = y - kDialCentre;
            const FaceRing ring = RingOf(dx * dx + dy * dy);
            const bool plus = dx * dy == 0 && dx * dx + dy * dy <= 4;
            if (ring != Year && ring != Moon && ring != Week && ring != Hour && ring != Minute) {
                EXPECT_EQ(dial.pixel(x, y), plus ? qRgb(128, 0, 128) : qRgb(255, 255, 255))
                    << x << ", " << y;
            }
        }
}

// Labels in their rings in their colours: Noon, Midnight, SUN, 0 and 30 minutes, JUN. Strokes: 1
// July and 1 January but not 21 June, Sunday to Monday, six hours inside and outside, one
// minute. Moons: full at the top, open in a dark rim; new at the bottom, filled; crescents and
// gibbous between; last quarter on the right, dark on its right; first quarter on the left, dark
// on its left.
TEST(DialArtwork, MarksStandWhereTheFaceReadsThem) {
    const QImage dial = DialArtwork();
    using Point = std::tuple<double, double, const char*>;
    const std::vector<Point> labels = {
        {359.0 / 360, 83, "red"},    {0.5, 84, "red"}, {0, 68, "green"}, {0, 97, "maroon"},
        {179.0 / 360, 98, "maroon"}, {0, 39, "navy"}};
    const std::vector<Point> marks = {
        {10.0 / 365, 47, "black"}, {194.0 / 365, 47, "black"}, {0, 47, "white"},
        {0.5 / 7, 71, "black"},    {6.0 / 24, 81, "black"},    {6.0 / 24, 91, "black"},
        {1.0 / 60, 105, "black"},  {0, 56, "white"},           {0, 60, "black"},
        {0.5, 56, "black"},        {3.0 / 8, 56, "black"},     {5.0 / 8, 56, "black"},
        {1.0 / 8, 56, "white"},    {7.0 / 8, 56, "white"},     {0.25, 58, "black"},
        {0.25, 54, "white"},       {0.75, 58, "black"},        {0.75, 54, "white"}};
    const auto pixelAt = [&](double turn, double radius) {
        const QPointF point = PointAt(QPointF(kDialCentre, kDialCentre), turn, radius);
        return dial.pixel(int(std::lround(point.x())), int(std::lround(point.y())));
    };
    for (const std::vector<Point>* points : {&labels, &marks})
        for (const auto& [turn, radius, ink] : *points)
            EXPECT_EQ(InkOf(pixelAt(turn, radius)), ink) << turn << " at " << radius;
    for (int angle = 0; angle < 360; angle += 15)
        EXPECT_LT(qRed(pixelAt(angle / 360.0, 50)), 160) << "circle at " << angle;
}

// The committed pictures are what the generator draws (the button, a black drop-down arrow on
// grey, in any case; Tahoma is needed to draw the same text).
TEST(ArtworkGenerator, DrawsTheCommittedPicturesAndTheIconInEverySize) {
    test_support::TestApplication();
    const QList<QSize> sizes = WindowIcon().availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
    const auto same = [](const QImage& drawn, const QImage& committed) {
        return drawn.convertToFormat(QImage::Format_ARGB32) ==
               committed.convertToFormat(QImage::Format_ARGB32);
    };
    EXPECT_TRUE(same(DrawLocationButton(), LocationButtonPicture()));
    if (!LoadArtworkFonts())
        GTEST_SKIP() << "Tahoma is not installed";
    EXPECT_TRUE(same(DrawDial(), DialArtwork()));
    EXPECT_TRUE(same(DrawIcon(32), QImage(":/horvane/icons/horvane-32.png")));
}

// Ten pictures at each panel size, all different and round (transparent corners). The moon
// at night, sampled across its middle at -0.85, -0.3, 0.3 and 0.85 of its radius: full, then
// waning from the right, new, and waxing from the right (lit on the right, as seen from the
// north). By day the sun stands high, in the twilight on the horizon.
TEST(SkyIcon, ShowsTheSunHighOnTheHorizonOrTheMoonInItsPhase) {
    test_support::TestApplication();
    for (int size : {16, 22, 24, 32, 48, 64}) {
        std::vector<QImage> pictures = {DrawSkyIcon({SkyState::Day, 0}, size),
                                        DrawSkyIcon({SkyState::Twilight, 0}, size)};
        for (int bucket = 0; bucket < kMoonPhaseBuckets; ++bucket)
            pictures.push_back(DrawSkyIcon({SkyState::Night, bucket}, size));
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(qAlpha(pictures[i].pixel(0, 0)), 0) << size;
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_NE(pictures[i], pictures[j]) << size << ": " << i << " and " << j;
        }
        const auto isSun = [](QRgb pixel) { return qRed(pixel) > 200 && qBlue(pixel) < 100; };
        EXPECT_TRUE(isSun(pictures[0].pixel(size / 2, int(0.38 * size)))) << size;
        EXPECT_FALSE(isSun(pictures[1].pixel(size / 2, int(0.38 * size)))) << size;
        EXPECT_TRUE(isSun(pictures[1].pixel(size / 2, int(0.66 * size)))) << size;
    }
    EXPECT_EQ(SkyIcon({SkyState::Day, 0}).availableSizes().size(), 6);
    const char* const lit[kMoonPhaseBuckets] = {"1111", "1110", "1100", "1000",
                                                "0000", "0001", "0011", "0111"};
    const double radius = 0.26 * 64, middle = 0.42 * 64;
    for (int bucket = 0; bucket < kMoonPhaseBuckets; ++bucket) {
        const QImage moon = DrawSkyIcon({SkyState::Night, bucket}, 64);
        std::string seen;
        for (double across : {-0.85, -0.3, 0.3, 0.85})
            seen += qGray(moon.pixel(int(32 + across * radius), int(middle))) > 150 ? '1' : '0';
        EXPECT_EQ(seen, lit[bucket]) << bucket;
    }
}
