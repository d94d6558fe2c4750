#include "resources/Artwork.h"
#include "clock/FaceRules.h"
#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/DialDrawing.h"
#include "resources/generator/IconDrawing.h"
#include "resources/generator/LocationButtonDrawing.h"

#include <QFile>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

constexpr int kCentre = 111;
constexpr double kPi = 3.14159265358979323846;

QRgb DialPixelAt(const QImage& dial, double turn, double radius) {
    const int x = int(std::lround(kCentre + radius * std::sin(turn * 2 * kPi)));
    const int y = int(std::lround(kCentre - radius * std::cos(turn * 2 * kPi)));
    return dial.pixel(x, y);
}

bool IsDark(QRgb pixel) {
    return qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100;
}

// The pixel is ink of that colour, at least half covering white: it lies on the way from white
// to the colour, past the middle.
bool IsInkOf(QRgb pixel, QRgb colour) {
    const int white = 255;
    const int darkest = std::min({qRed(colour), qGreen(colour), qBlue(colour)});
    const double coverage =
        double(white - std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)})) / (white - darkest);
    const auto near = [&](int channel, int inkChannel) {
        return std::abs(channel - (white + coverage * (inkChannel - white))) <= 3;
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

// The ring of the face a dial pixel falls in.
FaceRing RingAt(int x, int y) {
    return RingOf((x - kCentre) * (x - kCentre) + (y - kCentre) * (y - kCentre));
}

void EnsureGuiApplication() {
    static int argc = 1;
    static char name[] = "artwork_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application =
        (qputenv("QT_QPA_PLATFORM", "offscreen"), new QGuiApplication(argc, argv));
    (void)application;
}

bool SameImage(const QImage& drawn, const QImage& committed) {
    return drawn.convertToFormat(QImage::Format_ARGB32) ==
           committed.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(DialArtwork, IsA24BitPictureOnWhite) {
    const QImage dial = DialArtwork();
    ASSERT_EQ(dial.size(), QSize(223, 223));
    // PNG header: bit depth 8, colour type 2 (RGB, no alpha).
    QFile file(":/horvane/dial.png");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray header = file.read(26);
    EXPECT_EQ(header[24], 8);
    EXPECT_EQ(header[25], 2);
    for (QPoint corner : {QPoint(0, 0), QPoint(222, 0), QPoint(0, 222), QPoint(222, 222)})
        EXPECT_EQ(dial.pixel(corner), qRgb(255, 255, 255));
}

TEST(DialArtwork, DrawsOnlyInTheRingsTheFaceTakesFromIt) {
    const QImage dial = DialArtwork();
    for (int y = 0; y < dial.height(); ++y)
        for (int x = 0; x < dial.width(); ++x) {
            const FaceRing ring = RingAt(x, y);
            const bool fromArtwork = ring == FaceRing::CentreDisc || ring == FaceRing::Year ||
                                     ring == FaceRing::Moon || ring == FaceRing::Week ||
                                     ring == FaceRing::Hour || ring == FaceRing::Minute;
            if (!fromArtwork) {
                EXPECT_EQ(dial.pixel(x, y), qRgb(255, 255, 255)) << x << ", " << y;
            }
        }
}

TEST(DialArtwork, PlusSignOnTheCentrePixel) {
    const QImage dial = DialArtwork();
    const QRgb purple = qRgb(128, 0, 128);
    EXPECT_EQ(dial.pixel(111, 111), purple);
    EXPECT_EQ(dial.pixel(109, 111), purple);
    EXPECT_EQ(dial.pixel(113, 111), purple);
    EXPECT_EQ(dial.pixel(111, 109), purple);
    EXPECT_EQ(dial.pixel(111, 113), purple);
    EXPECT_EQ(dial.pixel(110, 110), qRgb(255, 255, 255));
}

TEST(DialArtwork, LabelsSitInTheirRingsInTheirColours) {
    const QImage dial = DialArtwork();
    // Noon, SUN and 0 at the top; Midnight and 30 at the bottom; JUN just left of the top.
    EXPECT_TRUE(HasInkWithin(dial, qRgb(255, 0, 0), 96, 21, 30, 10)) << "Noon";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(255, 0, 0), 90, 192, 44, 10)) << "Midnight";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(0, 128, 0), 100, 35, 22, 10)) << "SUN";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(128, 0, 0), 105, 6, 12, 10)) << "0";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(128, 0, 0), 103, 206, 16, 10)) << "30";
    EXPECT_TRUE(HasInkWithin(dial, qRgb(0, 0, 128), 95, 66, 20, 12)) << "JUN";
    EXPECT_FALSE(HasInkWithin(dial, qRgb(0, 0, 128), 0, 0, 223, 60)) << "no month above r 51";
}

TEST(DialArtwork, StrokesMarkMonthsMidnightsHoursAndMinutes) {
    const QImage dial = DialArtwork();
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 10.0 / 365, 47))) << "1 July";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 194.0 / 365, 47))) << "1 January";
    EXPECT_FALSE(IsDark(DialPixelAt(dial, 0, 47))) << "21 June has no stroke";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 0.5 / 7, 71))) << "Sunday to Monday";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 0.5, 71))) << "Wednesday to Thursday";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 6.0 / 24, 81))) << "six hours, inside";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 6.0 / 24, 91))) << "six hours, outside";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 1.0 / 60, 105))) << "one minute";
    for (int angle = 0; angle < 360; angle += 15)
        EXPECT_LT(qRed(DialPixelAt(dial, angle / 360.0, 50)), 160) << "circle at " << angle;
}

TEST(DialArtwork, MoonPhasesFullAtTopNewAtBottom) {
    const QImage dial = DialArtwork();
    const QRgb white = qRgb(255, 255, 255);
    EXPECT_EQ(dial.pixel(111, 55), white) << "full moon, open";
    EXPECT_TRUE(IsDark(dial.pixel(111, 51))) << "its rim";
    EXPECT_TRUE(IsDark(dial.pixel(111, 167))) << "new moon, filled";
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 3.0 / 8, 56)));
    EXPECT_TRUE(IsDark(DialPixelAt(dial, 5.0 / 8, 56)));
    EXPECT_EQ(DialPixelAt(dial, 1.0 / 8, 56), white);
    EXPECT_EQ(DialPixelAt(dial, 7.0 / 8, 56), white);
    // Last quarter on the right, dark on its right; first quarter on the left, dark on its left.
    EXPECT_TRUE(IsDark(dial.pixel(169, 111)));
    EXPECT_EQ(dial.pixel(165, 111), white);
    EXPECT_TRUE(IsDark(dial.pixel(53, 111)));
    EXPECT_EQ(dial.pixel(57, 111), white);
}

TEST(LocationButtonPicture, IsTheDropDownArrowPixelForPixel) {
    const QImage picture = LocationButtonPicture();
    ASSERT_EQ(picture.size(), QSize(17, 14));
    const int firstBlack[] = {4, 5, 6, 7, 8}; // rows 4..8
    for (int row = 0; row < 14; ++row)
        for (int column = 0; column < 17; ++column) {
            const bool arrowRow = row >= 4 && row <= 8;
            const bool arrow =
                arrowRow && column >= firstBlack[row - 4] && column <= 16 - firstBlack[row - 4];
            EXPECT_EQ(picture.pixel(column, row), arrow ? qRgb(0, 0, 0) : qRgb(192, 192, 192))
                << column << ", " << row;
        }
}

TEST(WindowIcon, ComesInEverySizeFrom16To256) {
    EnsureGuiApplication();
    const QIcon icon = WindowIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
}

// The committed pictures are what the generator draws; Tahoma is needed to draw the same text.
TEST(ArtworkGenerator, DrawsTheCommittedPictures) {
    EnsureGuiApplication();
    if (!LoadArtworkFonts())
        GTEST_SKIP() << "Tahoma is not installed";
    EXPECT_TRUE(SameImage(DrawDial(), DialArtwork()));
    EXPECT_TRUE(SameImage(DrawDial(), DrawDial()));
    EXPECT_TRUE(SameImage(DrawLocationButton(), LocationButtonPicture()));
    const QImage icon32(":/horvane/icons/horvane-32.png");
    EXPECT_TRUE(SameImage(DrawIcon(32), icon32));
}
