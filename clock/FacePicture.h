#pragma once
// The face as the clock would show it at an instant, composed without a window.

#include "astro/EventTimesOfDay.h"
#include "clock/HandGeometry.h"
#include "platform/BasicTypes.h"

#include <QImage>

namespace horvane {

// The first pass over the dial artwork, the sky colour of that instant outside the dial, and
// the hands that are on, placed as the tick places them and drawn over it. now is the local
// Date serial; times are the event board's times of day for it. 227 x 227 face pixels, drawn at
// scale device pixels each (DeviceLength(227, scale) pixels, that device pixel ratio).
QImage ComposeFacePicture(DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands = kAllHandsOn, double scale = 1);

// The same over a given dial picture, drawn at the geometry's scale.
QImage ComposeFacePicture(const QImage& dial, DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands = kAllHandsOn, double scale = 1);

} // namespace horvane
