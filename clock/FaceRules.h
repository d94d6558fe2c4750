#pragma once
// The rules that decide each pixel of the face: which ring it lies on, how far each ring is
// turned, the clock time a pixel stands for, and what the moon-up ring and the
// day-and-night band show there.

#include "astro/EventTimesOfDay.h"

#include <cstdint>

namespace horvane {

// The rings by distance from the centre, inside out.
enum class FaceRing {
    CentreDisc,      // r < 29
    Year,            // 29 <= r < 51
    Moon,            // 51 <= r < 62
    InnerMoonCircle, // 62
    MoonUp,          // 63
    Circle,          // the black circles at 64, 78, 93, 107 and 111
    Week,            // 65 <= r < 78
    Hour,            // 79 <= r < 93
    Minute,          // 94 <= r < 107
    DayNightBand,    // 108 <= r < 111
    Outside,         // r >= 112
};

// The ring of a pixel at the squared distance dx² + dy² from the centre.
FaceRing RingOf(std::int32_t squaredRadius);

// The turn of each ring, in thousandths of a turn clockwise, 0..999.
struct RingTurns {
    int minute = 0;
    int hour = 0;
    int week = 0;
    int year = 0;
};

inline constexpr int kTurnSteps = 1000;

// Turns that bring the clock time of solar noon to the top of the hour ring.
RingTurns RingTurnsFor(std::int32_t solarMidnightSec);

// Adds a day once to each negative sun time (solar midnight, twilights, sunrise, sunset);
// the moon's times are left as they are.
void NormaliseSunTimes(EventTimesOfDay& times);

// The clock time, 0..86399, that the pixel (dx, dy) from the centre stands for: solar
// midnight straight down, solar noon at the top, times growing clockwise.
std::int32_t PixelTime(int dx, int dy, std::int32_t solarMidnightSec);

// The moon is above the horizon at time t.
bool MoonIsUp(std::int32_t t, std::int32_t moonriseSec, std::int32_t moonsetSec);

// The grey level 0..255 of the day-and-night band at time t: white by day, black by night,
// ramping through the civil twilights.
int BandGrey(std::int32_t t, const EventTimesOfDay& times);

} // namespace horvane
