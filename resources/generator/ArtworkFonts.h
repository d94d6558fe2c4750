#pragma once
// The type the artwork is set in: Tahoma, the windows' own, or DejaVu Sans where it is missing.

#include <QFont>

namespace horvane {

// Makes Tahoma available from its font file; true when it is.
bool LoadArtworkFonts();

// A font of the given pixel size for the artwork's tiny labels.
QFont ArtworkFont(int pixelSize, bool bold);

} // namespace horvane
