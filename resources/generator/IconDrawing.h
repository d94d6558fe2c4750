#pragma once
// The window icon: a small face with the day-and-night band, the hour and minute hands and
// the sky around it.

#include <QImage>

namespace horvane {

// The icon drawn for a square of size pixels, transparent outside the face.
QImage DrawIcon(int size);

} // namespace horvane
