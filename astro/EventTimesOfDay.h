#pragma once
// The seven times of day the event board gives the face and the sky colour.

#include "platform/BasicTypes.h"

namespace horvane {

// Seconds after local midnight, each sliding from the last occurrence's time of day to
// the next one's.
struct EventTimesOfDay {
    SecondsOfDay SolarMidnightSec = 0;
    SecondsOfDay TwilightBeginSec = 0;
    SecondsOfDay SunriseSec = 0;
    SecondsOfDay SunsetSec = 0;
    SecondsOfDay TwilightEndSec = 0;
    SecondsOfDay MoonriseSec = 0;
    SecondsOfDay MoonsetSec = 0;
};

} // namespace horvane
