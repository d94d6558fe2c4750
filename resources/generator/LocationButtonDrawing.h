#pragma once
// The location button's picture: a black drop-down arrow on light grey, 17 x 14 pixels.

#include <QImage>

namespace horvane {

QImage DrawLocationButton();

} // namespace horvane
