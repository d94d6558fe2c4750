#pragma once
// The seven times of day the event board gives the face and the sky colour, and the sun's
// altitude through the day where those times cannot tell day from night.

#include "astro/SunCourse.h"
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
    // Followed where the twilight's begin or end, the sunrise or the sunset was found neither
    // last nor next: the sky and the band then show where the sun itself stands.
    SunCourse sun{};
};

} // namespace horvane
