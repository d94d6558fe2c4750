#pragma once
// The screen's density in the unit the window design is laid out in: twips (1/1440 inch)
// per pixel, 15 at 96 dots per inch.

#include "platform/ui/FormDesign.h"

class QScreen;

namespace horvane {

inline constexpr double kDesignTwipsPerPixel = 15; // 96 dots per inch

struct TwipsPerPixel {
    double x = kDesignTwipsPerPixel;
    double y = kDesignTwipsPerPixel;
};

// 1440 / the screen's logical dots per inch, across and down; the design density when there is
// no screen.
TwipsPerPixel ScreenTwipsPerPixel(const QScreen* screen);

} // namespace horvane
