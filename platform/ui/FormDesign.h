#pragma once
// The windows' design units and type: positions and sizes in twips (1/1440 inch), captions
// in Tahoma 8.25 pt.

#include <QFont>
#include <QRect>

class QWidget;

namespace horvane {

inline constexpr double kTwipsPerInch = 1440.0;

// The design's rectangle in the widget's pixels: twips / (1440 / the screen's logical dpi),
// 15 twips to the pixel at 96 dpi.
QRect TwipsRect(const QWidget& widget, int left, int top, int width, int height);

// Tahoma 8.25 pt, or DejaVu Sans where Tahoma is missing.
QFont FormFont();

} // namespace horvane
