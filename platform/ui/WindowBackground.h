#pragma once
// The colour a window system shows where a top-level window's own painting does not reach.
//
// At a fractional scale factor a window manager may give a window one device pixel more across
// or down than its size in logical pixels paints: Qt derives the logical size by rounding, and
// its backing store covers only that size. The window system shows its own background there,
// black or stale, as a line along an edge. Giving it the window's colour keeps the edges whole.

class QColor;
class QWidget;

namespace horvane {

// Makes colour the native background of the shown top-level window and repaints with it what
// lies beyond the window's backing store. Does nothing where the window system keeps no
// background of its own (Wayland, the offscreen platform) or before the window is shown.
void SetNativeBackground(QWidget& window, const QColor& colour);

} // namespace horvane
