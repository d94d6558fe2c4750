#pragma once
// The window icon: a small face with the day-and-night band, the hour and minute hands and
// the sky around it; and the tray's pictures of the sky now, in the same colours.

#include "resources/SkyPicture.h"

#include <QImage>

namespace horvane {

// The icon drawn for a square of size pixels, transparent outside the face.
QImage DrawIcon(int size);

// The sky as a disc over a strip of ground, for a square of size pixels: the sun high in the
// day sky, the sun on the horizon in the twilight, or the moon in its phase in the night sky
// (the lit side as seen from the north: on the right while waxing).
QImage DrawSkyIcon(const SkyPicture& sky, int size);

} // namespace horvane
