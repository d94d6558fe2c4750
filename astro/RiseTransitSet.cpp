#include "astro/RiSeTran.h"

#include "astro/DateSerial.h"

#include <cmath>

namespace horvane {
namespace {

constexpr int kLastHour = 24; // samples run to hour 25, spans are centred up to hour 23

// The parabola's roots are compared with the span's ends in single precision, so a root
// a hair outside +-1 still counts as inside.
bool InsideSpan(double root) {
    return std::fabs(static_cast<float>(root)) <= 1.0f;
}

struct SearchFlags {
    bool rise = false;
    bool set = false;
    bool transit = false;
    bool all() const { return rise && set && transit; }
};

// Records the crossings found in the span centred on hour i.
void TakeCrossings(const ParabolaFit& fit, double yMinus, double dayCount, int i,
                   RiseTransitSet& found, SearchFlags& flags) {
    if (fit.count == 1) {
        const DateSerial crossing = DayCountToDate(dayCount, i + fit.root1);
        if (yMinus < 0) {
            found.rise = crossing;
            flags.rise = true;
        } else {
            found.set = crossing;
            flags.set = true;
        }
    } else if (fit.count == 2) {
        const bool dipsBelow = fit.ye < 0;
        found.rise = DayCountToDate(dayCount, i + (dipsBelow ? fit.root2 : fit.root1));
        found.set = DayCountToDate(dayCount, i + (dipsBelow ? fit.root1 : fit.root2));
        flags.rise = flags.set = true;
    }
}

} // namespace

double SineAltitude(double dayCount0, double hour, double westLongitudeDegrees, double cosLatitude,
                    double sinLatitude, Body body) {
    const double dayCount = dayCount0 + hour / kHoursPerDay;
    const double T = dayCount / kDaysPerJulianCentury;
    const EquatorialPosition place = body == Body::Moon ? MoonPosition(T) : SunPosition(T);
    const double hourAngle = kDegreesPerHour * (LocalSiderealHours(dayCount, westLongitudeDegrees) -
                                                place.rightAscensionHours);
    return sinLatitude * SinDeg(place.declinationDegrees) +
           cosLatitude * CosDeg(place.declinationDegrees) * CosDeg(hourAngle);
}

ParabolaFit FitParabola(double yMinus, double y0, double yPlus) {
    ParabolaFit fit;
    const double a = 0.5 * (yPlus + yMinus) - y0;
    const double b = 0.5 * (yPlus - yMinus);
    const double c = y0;
    if (a == 0) {
        // Collinear samples: no vertex, and the straight line's own crossing, if any.
        fit.xe = 0;
        fit.ye = c;
        if (b != 0) {
            fit.root1 = fit.root2 = -c / b;
            fit.count = InsideSpan(fit.root1) ? 1 : 0;
        }
        return fit;
    }
    fit.xe = -b / (2 * a);
    fit.ye = (a * fit.xe + b) * fit.xe + c;
    const double discriminant = b * b - 4 * a * c;
    if (discriminant <= 0)
        return fit;
    const double dx = 0.5 * std::sqrt(discriminant) / std::fabs(a);
    fit.root1 = fit.xe - dx;
    fit.root2 = fit.xe + dx;
    if (InsideSpan(fit.root1))
        ++fit.count;
    if (InsideSpan(fit.root2))
        ++fit.count;
    if (static_cast<float>(fit.root1) < -1.0f)
        fit.root1 = fit.root2;
    return fit;
}

RiseTransitSet FindRiseTransitSet(DateSerial start, std::int32_t utcOffsetMinutes,
                                  double latitudeDegrees, double eastLongitudeDegrees,
                                  double thresholdDegrees, Body body) {
    RiseTransitSet found;
    SearchFlags flags;
    const double westLongitude = -eastLongitudeDegrees;
    const double localDayCount =
        double(WholeSecondsOf(start) - WholeSecondsOf(kDayCountZeroSerial)) / kSecondsPerDay;
    const double universalDayCount = localDayCount - utcOffsetMinutes / double(kMinutesPerDay);
    const double sinLatitude = SinDeg(latitudeDegrees);
    const double cosLatitude = CosDeg(latitudeDegrees);
    const double sinThreshold = SinDeg(thresholdDegrees);
    auto sample = [&](int hour) {
        return SineAltitude(universalDayCount, hour, westLongitude, cosLatitude, sinLatitude,
                            body) -
               sinThreshold;
    };

    double yMinus = sample(-1);
    double y0 = sample(0);
    for (int i = 0; i <= kLastHour && !flags.all(); ++i) {
        const double yPlus = sample(i + 1);
        const bool isMax = y0 > yMinus && y0 > yPlus;
        const bool oddHour = i % 2 == 1;
        if (oddHour || isMax) {
            const ParabolaFit fit = FitParabola(yMinus, y0, yPlus);
            if (isMax) {
                found.transit = DayCountToDate(localDayCount, i + fit.xe);
                flags.transit = true;
            }
            if (oddHour)
                TakeCrossings(fit, yMinus, localDayCount, i, found, flags);
        }
        yMinus = y0;
        y0 = yPlus;
    }
    return found;
}

} // namespace horvane
