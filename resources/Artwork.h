#pragma once
// The pictures built into the program: the dial artwork, the location button's picture, the
// window icon, and the tray's pictures of the sky.

#include "resources/SkyPicture.h"

#include <QIcon>
#include <QImage>

namespace horvane {

// The 223 x 223 dial, centre pixel (111, 111), on white.
QImage DialArtwork();

// The dial at scale device pixels per dial pixel: the picture above at 1, else drawn afresh at
// that resolution by the code that drew it, with its fonts.
QImage DialArtwork(double scale);

// The 17 x 14 drop-down arrow of the location button.
QImage LocationButtonPicture();

// The small face in every size from 16 to 256 pixels.
QIcon WindowIcon();

// The sky picture in the sizes panels show (16 to 64 pixels), drawn when asked for.
QIcon SkyIcon(const SkyPicture& sky);

} // namespace horvane
