// Runs once for each scale factor CTest names (--scale=S, made the screen's scale factor): the
// window draws its face at the screen's resolution, as the almanac draws the picture at that
// scale.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FaceBox.h"
#include "clock/FacePicture.h"
#include "clock/FaceRules.h"
#include "clock/frmMain.h"
#include "resources/DialGeometry.h"
#include "testing/ClockWindowControls.h"
#include "testing/ClockWindowWorld.h"
#include "testing/WidgetApplication.h"

#include <QScreen>
#include <cmath>
#include <gtest/gtest.h>
#include <string_view>

using namespace horvane;
using namespace horvane::test_support;

// The hands too: both lay them in face pixels and draw them in device pixels.
TEST(ScaledFace, TheWindowShowsTheFacePictureOfItsScale) {
    TestApplication();
    const double scale = QGuiApplication::primaryScreen()->devicePixelRatio();
    ASSERT_EQ(QString::number(scale), qgetenv("QT_SCREEN_SCALE_FACTORS"));
    ClockWindowWorld world;
    const std::unique_ptr<frmMain> window = world.Start();
    const ClockWindowControls controls(*window);
    window->show();
    QApplication::processEvents();

    const QImage shown = controls.pbxFace->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const QImage picture = ComposeFacePicture(
        now, ComputeEventBoard(now, -360, 43.089, -87.888).timesOfDay, kAllHandsOn, scale);
    ASSERT_EQ(shown.devicePixelRatio(), scale);
    EXPECT_EQ(shown, picture.copy(shown.rect()));
}

// Along the ray to the right of the centre, the rings come in the order of a face at scale 1,
// each where its radius scaled puts it, and every black circle is equally wide: a face pixel
// in whole device pixels.
TEST(ScaledFace, TheRingsLieAtTheirScaledRadiiWithEvenCircles) {
    TestApplication();
    const double scale = QGuiApplication::primaryScreen()->devicePixelRatio();
    const RingLimits scaled(scale);
    const auto runs = [](auto ringAt, int end) {
        std::vector<std::pair<FaceRing, int>> found; // each run of one ring, with its length
        for (int r = 0; r < end; ++r)
            if (found.empty() || found.back().first != ringAt(r))
                found.emplace_back(ringAt(r), 1);
            else
                ++found.back().second;
        return found;
    };
    const auto atScale = runs([&](int r) { return scaled.RingOf((r + 0.5) * (r + 0.5)); },
                              DeviceLength(kOutermostCircleRadius + 2, scale));
    const auto atOne = runs([](int r) { return RingOf(r * r); }, kOutermostCircleRadius + 2);
    ASSERT_EQ(atScale.size(), atOne.size());
    const int circleWidth = std::max(1, int(std::lround(scale)));
    for (std::size_t i = 0; i < atOne.size(); ++i) {
        EXPECT_EQ(atScale[i].first, atOne[i].first) << i;
        if (atOne[i].second == 1 && i + 1 < atOne.size())
            EXPECT_EQ(atScale[i].second, circleWidth) << i;
        else
            EXPECT_NEAR(atScale[i].second, atOne[i].second * scale, 2) << i;
    }
}

// Drawn, not enlarged: the dial's text and strokes are laid out again at the scale, so the
// picture differs from the face at scale 1 with each pixel repeated.
TEST(ScaledFace, TheFaceIsDrawnAtTheScaleNotEnlarged) {
    TestApplication();
    const double scale = QGuiApplication::primaryScreen()->devicePixelRatio();
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const EventTimesOfDay times = ComputeEventBoard(now, -360, 43.089, -87.888).timesOfDay;
    const QImage drawn = ComposeFacePicture(now, times, kAllHandsOn, scale);
    const QImage enlarged =
        ComposeFacePicture(now, times)
            .scaled(drawn.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            differing += drawn.pixel(x, y) != enlarged.pixel(x, y);
    EXPECT_GT(differing, drawn.width() * drawn.height() / 20);
}

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const std::string_view option = "--scale=";
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with(option))
            qputenv("QT_SCREEN_SCALE_FACTORS", argv[i] + option.size());
    return RUN_ALL_TESTS();
}
