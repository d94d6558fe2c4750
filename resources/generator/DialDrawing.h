#pragma once
// The dial artwork: the rings of month names, moon phases, weekdays, the 24-hour scale and the
// minute scale round the centre pixel of the dial picture (resources/DialGeometry.h), on white.

#include <QImage>

namespace horvane {

// The dial as a 24-bit picture. Call LoadArtworkFonts first.
QImage DrawDial();

} // namespace horvane
