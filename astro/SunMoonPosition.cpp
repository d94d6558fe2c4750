#include "astro/RiSeTran.h"

#include <cmath>

namespace horvane {
namespace {

// The full turn in radians to 10 digits, as the series were fitted with; deliberately not the
// clock's 15-digit turn nor the library's pi.
constexpr double P2 = 6.283185307;
constexpr double COSEPS = 0.91748; // cosine of the obliquity of the ecliptic
constexpr double SINEPS = 0.39778;
constexpr double ARC = 206264.8062; // arcseconds per radian
constexpr double kArcsecondsPerTurn = 1296000;

struct Rectangular {
    double x, y, z; // unit vector, equatorial frame
};

// Right ascension and declination of an equatorial unit vector. The half-angle form of
// the right ascension covers 0..24 h with a one-argument arctangent; at exactly 12 h
// (x + rho = 0) its divisor vanishes and the answer is 12 h.
EquatorialPosition ToEquatorial(const Rectangular& v) {
    const double rho = std::sqrt(1 - v.z * v.z);
    EquatorialPosition position;
    position.declinationDegrees = (360 / P2) * std::atan(v.z / rho);
    const double denominator = v.x + rho;
    if (denominator == 0) {
        position.rightAscensionHours = 12;
        return position;
    }
    position.rightAscensionHours = (48 / P2) * std::atan(v.y / denominator);
    if (position.rightAscensionHours < 0)
        position.rightAscensionHours += 24;
    return position;
}

// Moon's perturbation in longitude, arcseconds.
double MoonLongitudePerturbation(double L, double LS, double D, double F) {
    return 22640 * std::sin(L) - 4586 * std::sin(L - 2 * D) + 2370 * std::sin(2 * D) +
           769 * std::sin(2 * L) - 668 * std::sin(LS) - 412 * std::sin(2 * F) -
           212 * std::sin(2 * L - 2 * D) - 206 * std::sin(L + LS - 2 * D) +
           192 * std::sin(L + 2 * D) - 165 * std::sin(LS - 2 * D) - 125 * std::sin(D) -
           110 * std::sin(L + LS) + 148 * std::sin(L - LS) - 55 * std::sin(2 * F - 2 * D);
}

// Moon's perturbation in latitude besides the main term, arcseconds.
double MoonLatitudePerturbation(double L, double LS, double F, double H) {
    return -526 * std::sin(H) + 44 * std::sin(L + H) - 31 * std::sin(H - L) -
           23 * std::sin(LS + H) + 11 * std::sin(H - LS) - 25 * std::sin(F - 2 * L) +
           21 * std::sin(F - L);
}

} // namespace

EquatorialPosition SunPosition(double julianCenturies) {
    const double T = julianCenturies;
    const double M = P2 * Frac(0.993133 + 99.997361 * T);
    const double DL = 6893 * std::sin(M) + 72 * std::sin(2 * M);
    const double L = P2 * Frac(0.7859453 + M / P2 + (6191.2 * T + DL) / kArcsecondsPerTurn);
    const double sinL = std::sin(L);
    return ToEquatorial({std::cos(L), COSEPS * sinL, SINEPS * sinL});
}

EquatorialPosition MoonPosition(double julianCenturies) {
    const double T = julianCenturies;
    const double L0 = Frac(0.606433 + 1336.855225 * T); // revolutions
    const double L = P2 * Frac(0.374897 + 1325.55241 * T);
    const double LS = P2 * Frac(0.993133 + 99.997361 * T);
    const double D = P2 * Frac(0.827361 + 1236.853086 * T);
    const double F = P2 * Frac(0.259086 + 1342.227825 * T);

    const double DL = MoonLongitudePerturbation(L, LS, D, F);
    const double S = F + (DL + 412 * std::sin(2 * F) + 541 * std::sin(LS)) / ARC;
    const double H = F - 2 * D;
    const double N = MoonLatitudePerturbation(L, LS, F, H);

    const double longitude = P2 * Frac(L0 + DL / kArcsecondsPerTurn);
    const double latitude = (18520 * std::sin(S) + N) / ARC;
    const double cosLatitude = std::cos(latitude);
    const double x = cosLatitude * std::cos(longitude);
    const double v = cosLatitude * std::sin(longitude);
    const double w = std::sin(latitude);
    return ToEquatorial({x, COSEPS * v - SINEPS * w, SINEPS * v + COSEPS * w});
}

} // namespace horvane
