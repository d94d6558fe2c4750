#include "astro/RiSeTran.h"

#include "astro/TimeUnits.h"

#include <cmath>

namespace horvane {
namespace {

// Greenwich mean sidereal time, IAU 1982, in hours.
constexpr double kGmstAtEpochHours = 6.697374558;
constexpr double kSiderealPerSolarHour = 1.0027379093;
constexpr double kGmstLinearSeconds = 8640184.812866;
constexpr double kGmstQuadraticSeconds = 0.093104;
constexpr double kGmstCubicSeconds = -6.2e-6;

} // namespace

DateSerial DayCountToDate(double dayCount, double hours) {
    return dayCount + kDayCountZeroSerial + hours / kHoursPerDay;
}

double SinDeg(double degrees) {
    return std::sin(degrees * kDegreesToRadians);
}

double CosDeg(double degrees) {
    return std::cos(degrees * kDegreesToRadians);
}

double Frac(double x) {
    return x - std::floor(x);
}

double LocalSiderealHours(double dayCount, double westLongitudeDegrees) {
    // Split at the 0 h UT midnight; truncation toward zero gives a negative UT before
    // 2000, which the polynomial absorbs.
    const double midnightIndex = std::trunc(dayCount + 0.5);
    const double universalHours = (dayCount + 0.5 - midnightIndex) * kHoursPerDay;
    const double t0 = (midnightIndex - 0.5) / kDaysPerJulianCentury;
    const double gmst =
        kGmstAtEpochHours + kSiderealPerSolarHour * universalHours +
        ((kGmstLinearSeconds + (kGmstQuadraticSeconds + kGmstCubicSeconds * t0) * t0) * t0) /
            kSecondsPerHour;
    return kHoursPerDay * Frac((gmst - westLongitudeDegrees / kDegreesPerHour) / kHoursPerDay);
}

} // namespace horvane
