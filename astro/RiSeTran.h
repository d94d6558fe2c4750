#pragma once
// The astronomy module: day counts, sidereal time, low-precision sun and moon positions, and
// the search for rise, transit and set. One header for its three sources, which build on each
// other in this order: TimeScale.cpp, SunMoonPosition.cpp and RiseTransitSet.cpp.
//
// A day count is the number of days since 2000-01-01 12:00 (Date serial 36526.5); the
// astronomy runs on it in universal time and reports on it in local clock time.
// Longitudes inside this module are degrees counted positive to the WEST.

#include "platform/BasicTypes.h"

#include <cstdint>

namespace horvane {

inline constexpr double kDegreesToRadians = 0.0174532925199433; // pi / 180, 15 digits
inline constexpr double kDayCountZeroSerial = 36526.5;          // 2000-01-01 12:00
inline constexpr double kDaysPerJulianCentury = 36525.0;
inline constexpr double kDegreesPerHour = 15; // of hour angle and of longitude

// --- time scale and angles (TimeScale.cpp) ---

// The Date serial of dayCount plus hours; with a local day count, a local Date serial.
DateSerial DayCountToDate(double dayCount, double hours);

double SinDeg(double degrees);
double CosDeg(double degrees);

// x - floor(x), in [0, 1).
double Frac(double x);

// Local mean sidereal time in hours, [0, 24), at the universal dayCount and the
// westLongitudeDegrees.
double LocalSiderealHours(double dayCount, double westLongitudeDegrees);

// --- positions (SunMoonPosition.cpp) ---

struct EquatorialPosition {
    double rightAscensionHours = 0; // 0 <= RA < 24
    double declinationDegrees = 0;
};

// The geocentric place of the body julianCenturies (universal time) after J2000.0.
EquatorialPosition SunPosition(double julianCenturies);
EquatorialPosition MoonPosition(double julianCenturies);

// --- rise, transit and set (RiseTransitSet.cpp) ---

enum class Body { Sun, Moon };

// Sine of the body's altitude at the universal day count dayCount0 + hour / 24, seen from
// westLongitudeDegrees and the latitude whose cosine and sine are cosLatitude and sinLatitude.
double SineAltitude(double dayCount0, double hour, double westLongitudeDegrees, double cosLatitude,
                    double sinLatitude, Body body);

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

// Rise, transit and set of the body across the altitude thresholdDegrees in the 24 hours
// after the local Date serial start, at latitudeDegrees (north positive) and
// eastLongitudeDegrees (east positive) on a clock utcOffsetMinutes ahead of universal time.
// The results are local Date serials.
RiseTransitSet FindRiseTransitSet(DateSerial start, std::int32_t utcOffsetMinutes,
                                  double latitudeDegrees, double eastLongitudeDegrees,
                                  double thresholdDegrees, Body body);

} // namespace horvane
