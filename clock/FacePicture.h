#pragma once
// The face as the clock would show it at an instant, composed without a window.

#include "astro/EventTimesOfDay.h"
#include "clock/HandGeometry.h"
#include "platform/BasicTypes.h"

#include <QImage>

namespace horvane {

// The first pass over the dial artwork, the sky colour of that instant outside the dial, and
// the hands that are on, placed as the tick places them and drawn over it. now is the local
// Date serial; times are the event board's times of day for it. 227 x 227 pixels.
QImage ComposeFacePicture(DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands = kAllHandsOn);

// The same over a given dial picture.
QImage ComposeFacePicture(const QImage& dial, DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands = kAllHandsOn);

} // namespace horvane
