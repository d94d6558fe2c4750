#include "platform/ui/WindowBackground.h"

#include <QColor>
#include <QGuiApplication>
#include <QWidget>
#include <cmath>
#include <cstdint>
#include <xcb/xcb.h>

namespace horvane {
namespace {

xcb_connection_t* X11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

} // namespace

void SetNativeBackground(QWidget& window, const QColor& colour) {
    xcb_connection_t* connection = X11Connection();
    if (connection == nullptr || !window.isWindow() || !window.testAttribute(Qt::WA_WState_Created))
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Qt's widget windows use the screen's 24-bit true-colour visual: the pixel is 0xRRGGBB.
    const std::uint32_t pixel = colour.rgb() & 0xFFFFFFu;
    xcb_change_window_attributes(connection, id, XCB_CW_BACK_PIXEL, &pixel);
    // The backing store ends at the logical size times the ratio, rounded as Qt rounds it; a
    // width or height of 0 clears to the window's edge.
    const double ratio = window.devicePixelRatioF();
    const auto right = static_cast<std::int16_t>(std::lround(window.width() * ratio));
    const auto bottom = static_cast<std::int16_t>(std::lround(window.height() * ratio));
    xcb_clear_area(connection, 0, id, right, 0, 0, 0);
    xcb_clear_area(connection, 0, id, 0, bottom, 0, 0);
    xcb_flush(connection);
}

} // namespace horvane
