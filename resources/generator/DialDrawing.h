#pragma once
// The dial artwork: the rings of month names, moon phases, weekdays, the 24-hour scale and the
// minute scale round the centre pixel of the dial picture (resources/DialGeometry.h), on white.

#include <QImage>

namespace horvane {

// The dial as a 24-bit picture of scale device pixels per dial pixel, DeviceLength(kDialSize,
// scale) pixels square, drawn at that resolution. Call LoadArtworkFonts first.
QImage DrawDial(double scale = 1);

} // namespace horvane
