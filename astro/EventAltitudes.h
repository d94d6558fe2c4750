#pragma once
// The altitudes of the body's centre, in degrees, at which the board's events happen.

namespace horvane {

inline constexpr double kSunRiseSetAltitude = -0.8333;   // sunrise and sunset (not -50/60)
inline constexpr double kCivilTwilightAltitude = -6.0;   // twilight begins and ends
inline constexpr double kMoonRiseSetAltitude = 8.0 / 60; // moonrise and moonset

} // namespace horvane
