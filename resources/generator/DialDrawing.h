#pragma once
// The dial artwork: the rings of month names, moon phases, weekdays, the 24-hour scale and the
// minute scale round the centre pixel (111, 111) of a 223 x 223 picture on white.

#include <QImage>

namespace horvane {

inline constexpr int kDialSize = 223;

// The dial as a 24-bit picture. Call LoadArtworkFonts first.
QImage DrawDial();

} // namespace horvane
