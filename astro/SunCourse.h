#pragma once
// The sun's altitude through a day of clock time, for the days whose times of sunrise, sunset
// and twilight cannot tell day from night: under the midnight sun, in the polar night and
// through the white nights.

#include "astro/TimeUnits.h"
#include "platform/BasicTypes.h"

#include <array>
#include <cstdint>

namespace horvane {

struct SunCourse {
    static constexpr SecondsOfDay kStepSeconds = 600;
    static constexpr int kSteps = kSecondsPerDay / kStepSeconds;

    // False where the times of day rest on events that were found: the altitudes are then
    // neither taken nor needed.
    bool followed = false;
    // At the clock times 0, 600, ... 86400, each at the instant of that clock time nearest now.
    std::array<double, kSteps + 1> altitudeDegrees{};

    // Degrees, straight between the two samples about t (0..86399).
    double AltitudeAt(SecondsOfDay t) const;
};

// The sun's altitude through the day about now (a local Date serial) at latitudeDegrees and
// eastLongitudeDegrees, on a clock utcOffsetMinutes ahead of universal time.
SunCourse FollowedSunCourse(DateSerial now, std::int32_t utcOffsetMinutes, double latitudeDegrees,
                            double eastLongitudeDegrees);

// How far the sun at altitudeDegrees has come through the civil twilight: 0 at -6°, 1 at the
// sunrise altitude; below 0 at night and 1 or more by day.
double TwilightShare(double altitudeDegrees);

} // namespace horvane
