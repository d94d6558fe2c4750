// Runs on X11 (Xvfb) at a fractional scale factor: the window system itself must show the sky
// colour where the window's backing store does not reach.

#include "clock/HandPainting.h"
#include "clock/frmMain.h"
#include "testing/ClockWindowControls.h"
#include "testing/ClockWindowWorld.h"
#include "testing/WidgetApplication.h"

#include <QGuiApplication>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <vector>
#include <xcb/xcb.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

xcb_connection_t* Connection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// Sizes the native window as a window manager does, in device pixels.
void SetNativeSize(xcb_window_t id, std::uint32_t width, std::uint32_t height) {
    const std::uint32_t size[] = {width, height};
    xcb_configure_window(Connection(), id, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         size);
    xcb_flush(Connection());
    QTest::qWait(300);
}

// The last column and the last row of the window as the X server shows them, and as they should
// be: what the window paints, and the sky beyond it.
struct Edges {
    std::vector<std::uint32_t> shown, expected;
};

Edges EdgesOf(QWidget& window, std::uint32_t sky) {
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(
        Connection(), xcb_get_geometry(Connection(), window.winId()), nullptr);
    const int width = geometry->width, height = geometry->height;
    std::free(geometry);
    const QImage painted = window.grab().toImage();
    Edges edges;
    const auto read = [&](int x, int y, int w, int h) {
        xcb_get_image_reply_t* image = xcb_get_image_reply(
            Connection(),
            xcb_get_image(Connection(), XCB_IMAGE_FORMAT_Z_PIXMAP, window.winId(), std::int16_t(x),
                          std::int16_t(y), std::uint16_t(w), std::uint16_t(h), ~0u),
            nullptr);
        const auto* pixels = reinterpret_cast<const std::uint32_t*>(xcb_get_image_data(image));
        for (int i = 0; i < w * h; ++i) {
            const QPoint at(x + i % w, y + i / w);
            edges.shown.push_back(pixels[i] & 0xFFFFFFu);
            edges.expected.push_back(painted.rect().contains(at) ? painted.pixel(at) & 0xFFFFFFu
                                                                 : sky);
        }
        std::free(image);
    };
    read(width - 1, 0, 1, height);
    read(0, height - 1, width, 1);
    return edges;
}

} // namespace

// A window manager may give any size; each must leave the edges the sky's, at noon and midnight.
TEST(WindowEdges, TheSkyColourReachesEveryEdgeWhateverSizeTheWindowSystemGives) {
    TestApplication();
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 1.75);
    ClockWindowWorld world;
    const std::unique_ptr<frmMain> window = world.Start();
    const ClockWindowControls controls(*window);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const auto id = static_cast<xcb_window_t>(window->winId());
    for (const int hour : {12, 0}) {
        world.clock.SetSecondsOfDay(hour * 3600);
        window->Model().Tick();
        for (const auto& [width, height] : {std::pair(601u, 538u), std::pair(600u, 541u),
                                            std::pair(471u, 539u), std::pair(893u, 543u)}) {
            SetNativeSize(id, width, height);
            const Edges edges = EdgesOf(*window, ToQColor(window->BackColor()).rgb() & 0xFFFFFFu);
            EXPECT_EQ(edges.shown, edges.expected)
                << width << "x" << height << " at " << hour << ":00";
        }
    }
}
