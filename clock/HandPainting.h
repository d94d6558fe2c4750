#pragma once
// Drawing the visible hands over the face.

#include "clock/HandGeometry.h"

class QPainter;

namespace horvane {

// Draws each visible hand with its colour and width, the slow hands under the fast ones.
// Coordinates are face pixels, as the face picture is drawn at (0, 0).
void DrawHandLines(QPainter& painter, const HandLines& lines);

} // namespace horvane
