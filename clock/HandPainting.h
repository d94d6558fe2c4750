#pragma once
// Drawing the visible hands over the face.

#include "clock/HandGeometry.h"

class QColor;
class QPainter;

namespace horvane {

// The program's colour as Qt paints it.
QColor ToQColor(Colour colour);

// Draws each visible hand with its colour and width, the slow hands under the fast ones.
// Coordinates are face pixels, as the face picture is drawn at (0, 0).
void DrawHandLines(QPainter& painter, const HandLines& lines);

} // namespace horvane
