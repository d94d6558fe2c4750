#pragma once
// The pictures built into the program: the dial artwork, the location button's picture and
// the window icon.

#include <QIcon>
#include <QImage>

namespace horvane {

// The 223 x 223 dial, centre pixel (111, 111), on white.
QImage DialArtwork();

// The 17 x 14 drop-down arrow of the location button.
QImage LocationButtonPicture();

// The small face in every size from 16 to 256 pixels.
QIcon WindowIcon();

} // namespace horvane
