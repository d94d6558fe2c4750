#pragma once
// The rules that decide each pixel of the face: which ring it lies on, how far each ring is
// turned, the clock time a pixel stands for, and what the moon-up ring and the
// day-and-night band show there.

#include "astro/EventTimesOfDay.h"

#include <array>
#include <cstdint>

namespace horvane {

// The rings by distance from the centre, inside out; their radii are the dial's
// (resources/DialGeometry.h).
enum class FaceRing {
    CentreDisc,
    Year,
    Moon,
    InnerMoonCircle,
    MoonUp,
    Circle, // the one-pixel black circles between the rings and round the band
    Week,
    Hour,
    Minute,
    DayNightBand,
    Outside,
};

// Where each ring ends on a face drawn at a scale of device pixels per face pixel. The rings'
// radii are scaled and rounded to whole device pixels; the one-pixel circles stay evenly wide,
// a face pixel rounded to whole device pixels (at least one).
class RingLimits {
public:
    explicit RingLimits(double scale);

    // The ring of a device pixel at the squared distance dx² + dy² from the centre, both in
    // device pixels.
    FaceRing RingOf(double squaredDistance) const;

private:
    static constexpr int kBoundCount = 14;
    std::array<double, kBoundCount> squaredLimits_{}; // squared device pixels, inside out
};

// The ring of a pixel at the squared distance dx² + dy² from the centre, at scale 1.
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
// dx and dy may be in device pixels of any scale: only their direction counts.
std::int32_t PixelTime(double dx, double dy, std::int32_t solarMidnightSec);

// The two halves of PixelTime: the seconds from solar midnight that the pixel's direction
// stands for, the same on every pass, and the clock time they make with the pass's solar
// midnight.
std::int32_t SecondsAfterSolarMidnight(double dx, double dy);
std::int32_t ClockTimeAt(std::int32_t secondsAfterSolarMidnight, std::int32_t solarMidnightSec);

// The moon is above the horizon at time t.
bool MoonIsUp(std::int32_t t, std::int32_t moonriseSec, std::int32_t moonsetSec);

// The grey level 0..255 of the day-and-night band at time t: white by day, black by night,
// ramping through the civil twilights by time, or by the sun's altitude where its course is
// followed.
int BandGrey(std::int32_t t, const EventTimesOfDay& times);

} // namespace horvane
