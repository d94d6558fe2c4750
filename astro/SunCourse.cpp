#include "astro/SunCourse.h"

#include "astro/DateSerial.h"
#include "astro/EventAltitudes.h"
#include "astro/RiSeTran.h"

#include <algorithm>
#include <cmath>

namespace horvane {
namespace {

// The instant of the clock time secondsOfDay that lies within half a day of now.
DateSerial NearestInstant(DateSerial now, std::int32_t secondsOfDay) {
    const DateSerial instant = double(DayNumberOf(now)) + double(secondsOfDay) / kSecondsPerDay;
    if (instant - now > 0.5)
        return instant - 1;
    if (now - instant >= 0.5)
        return instant + 1;
    return instant;
}

} // namespace

double SunCourse::AltitudeAt(SecondsOfDay t) const {
    const SecondsOfDay clamped = std::clamp<SecondsOfDay>(t, 0, kSecondsPerDay - 1);
    const int step = clamped / kStepSeconds;
    const double fraction = double(clamped - step * kStepSeconds) / kStepSeconds;
    return altitudeDegrees[step] + (altitudeDegrees[step + 1] - altitudeDegrees[step]) * fraction;
}

SunCourse FollowedSunCourse(DateSerial now, std::int32_t utcOffsetMinutes, double latitudeDegrees,
                            double eastLongitudeDegrees) {
    SunCourse course;
    course.followed = true;
    for (int step = 0; step <= SunCourse::kSteps; ++step) {
        const double sine =
            SineAltitudeAt(NearestInstant(now, step * SunCourse::kStepSeconds), utcOffsetMinutes,
                           latitudeDegrees, eastLongitudeDegrees, Body::Sun);
        course.altitudeDegrees[step] = std::asin(std::clamp(sine, -1.0, 1.0)) / kDegreesToRadians;
    }
    return course;
}

double TwilightShare(double altitudeDegrees) {
    return (altitudeDegrees - kCivilTwilightAltitude) /
           (kSunRiseSetAltitude - kCivilTwilightAltitude);
}

} // namespace horvane
