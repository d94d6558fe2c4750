#pragma once
// Day counts, sidereal time, low-precision sun and moon positions, and the search for
// rise, transit and set.
//
// A day count is the number of days since 2000-01-01 12:00 (Date serial 36526.5); the
// astronomy runs on it in universal time and reports on it in local clock time.
// Longitudes inside this module are degrees counted positive to the WEST.

#include "platform/BasicTypes.h"

#include <cstdint>

namespace horvane {

inline constexpr double kDegreesToRadians = 0.0174532925199433;
inline constexpr double kDayCountZeroSerial = 36526.5; // 2000-01-01 12:00
inline constexpr double kDaysPerJulianCentury = 36525.0;

// --- time scale and angles ---

// The Date serial of day count d plus h hours.
DateSerial DayCountToDate(double dayCount, double hours);

double SinDeg(double degrees);
double CosDeg(double degrees);

// x - floor(x), in [0, 1).
double Frac(double x);

// Local mean sidereal time in hours [0, 24) at universal day count d, longitude west positive.
double LocalSiderealHours(double dayCount, double westLongitudeDegrees);

// --- positions ---

struct EquatorialPosition {
    double rightAscensionHours = 0; // 0 <= RA < 24
    double declinationDegrees = 0;
};

// Geocentric place at T Julian centuries (universal time) since J2000.0.
EquatorialPosition SunPosition(double julianCenturies);
EquatorialPosition MoonPosition(double julianCenturies);

// --- rise, transit and set ---

// Sine of the body's altitude at universal day count d0 + hour / 24.
double SineAltitude(double dayCount0, double hour, double westLongitudeDegrees, double cosLatitude,
                    double sinLatitude, bool isMoon);

struct ParabolaFit {
    double xe = 0;    // abscissa of the vertex
    double ye = 0;    // value at the vertex
    double root1 = 0; // with one root inside [-1, 1], this is it
    double root2 = 0;
    int count = 0; // roots inside [-1, 1]
};

// The parabola through (-1, yMinus), (0, y0), (1, yPlus).
ParabolaFit FitParabola(double yMinus, double y0, double yPlus);

struct RiseTransitSet {
    DateSerial rise = 0; // 0: not found in the 24 hours searched
    DateSerial transit = 0;
    DateSerial set = 0;
};

// Rise, transit and set of the sun or the moon across the altitude threshold h0 in the
// 24 hours after the local start instant; results are local Date serials.
RiseTransitSet FindRiseTransitSet(DateSerial start, std::int32_t utcOffsetMinutes,
                                  double latitudeDegrees, double eastLongitudeDegrees,
                                  double thresholdDegrees, bool isMoon);

} // namespace horvane
