#pragma once
// Controls placed at their design positions, given in twips (1/1440 inch).

#include <QRect>

class QWidget;

namespace horvane {

// The design's rectangle in pixels of the widget's screen (15 twips to the pixel at 96 dpi).
QRect TwipsRect(const QWidget& widget, int left, int top, int width, int height);

} // namespace horvane
