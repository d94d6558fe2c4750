#include "clock/FaceRules.h"

#include "astro/TimeUnits.h"
#include "clock/FullTurn.h"
#include "platform/BasicTypes.h"
#include "resources/DialGeometry.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace horvane {
namespace {

constexpr int kLastStep = kTurnSteps - 1;

// Midnight after noon: the week ring is turned back by the days from that midnight to the
// end of the week instead.
constexpr std::int32_t kSixDays = 6 * kSecondsPerDay;

constexpr double kFullGrey = 256;
constexpr int kWhiteGrey = 255;

struct RingBound {
    int radius; // the ring lies below this, in face pixels
    FaceRing ring;
};

// A circle is one pixel wide: it ends where the next ring begins.
constexpr RingBound kRingBounds[] = {
    {kYearRing.inner, FaceRing::CentreDisc},
    {kYearRing.outer, FaceRing::Year},
    {kMoonRing.outer, FaceRing::Moon},
    {kInnerMoonCircleRadius + 1, FaceRing::InnerMoonCircle},
    {kMoonUpRadius + 1, FaceRing::MoonUp},
    {kWeekRing.inner, FaceRing::Circle},
    {kWeekRing.outer, FaceRing::Week},
    {kHourRing.inner, FaceRing::Circle},
    {kHourRing.outer, FaceRing::Hour},
    {kMinuteRing.inner, FaceRing::Circle},
    {kMinuteRing.outer, FaceRing::Minute},
    {kDayNightBand.inner, FaceRing::Circle},
    {kDayNightBand.outer, FaceRing::DayNightBand},
    {kOutermostCircleRadius + 1, FaceRing::Circle},
};

constexpr bool IsOnePixelWide(FaceRing ring) {
    return ring == FaceRing::Circle || ring == FaceRing::InnerMoonCircle ||
           ring == FaceRing::MoonUp;
}

constexpr bool OnePixelRingsAreOnePixelWide() {
    for (std::size_t i = 1; i < std::size(kRingBounds); ++i)
        if (IsOnePixelWide(kRingBounds[i].ring) &&
            kRingBounds[i].radius != kRingBounds[i - 1].radius + 1)
            return false;
    return true;
}
static_assert(OnePixelRingsAreOnePixelWide());

static_assert(kMoonUpRadius + 1 == kWeekRing.inner - 1, "one black circle between them");

// The last step less a rounded share of a turn; a turn past the last step stays at 0.
int TurnIndex(std::int32_t scaledSeconds, std::int32_t secondsPerTurn) {
    const int index = kLastStep - int(Int(double(scaledSeconds) / secondsPerTurn + 0.5));
    return std::max(index, 0);
}

// The share of 256 that sinceStart makes of the span.
double RampShare(std::int32_t sinceStart, std::int32_t span) {
    return sinceStart * std::int32_t(kFullGrey) / double(span);
}

// From black at dawn to 256 at sunrise; none outside the morning twilight.
std::optional<double> MorningGrey(std::int32_t t, const EventTimesOfDay& times) {
    const std::int32_t dawn = times.TwilightBeginSec, sunrise = times.SunriseSec;
    if (dawn <= sunrise && dawn <= t && t < sunrise)
        return RampShare(t - dawn, sunrise - dawn);
    if (dawn > sunrise && (t >= dawn || t < sunrise)) {
        const std::int32_t span = sunrise + kSecondsPerDay - dawn;
        return t >= dawn ? RampShare(t - dawn, span) : RampShare(t - dawn + kSecondsPerDay, span);
    }
    return std::nullopt;
}

// From 256 at sunset to black at dusk; none outside the evening twilight.
std::optional<double> EveningGrey(std::int32_t t, const EventTimesOfDay& times) {
    const std::int32_t sunset = times.SunsetSec, dusk = times.TwilightEndSec;
    if (sunset <= dusk && sunset <= t && t < dusk)
        return kFullGrey - RampShare(t - sunset, dusk - sunset);
    if (sunset > dusk && (t >= sunset || t < dusk)) {
        const std::int32_t span = dusk + kSecondsPerDay - sunset;
        return kFullGrey - (t >= sunset ? RampShare(t - sunset, span)
                                        : RampShare(t - sunset + kSecondsPerDay, span));
    }
    return std::nullopt;
}

// Where the sun's times cannot tell day from night, its altitude grades the twilight as the
// ramps grade it by time.
int FollowedGrey(std::int32_t t, const SunCourse& sun) {
    const double share = TwilightShare(sun.AltitudeAt(t));
    if (share >= 1)
        return kWhiteGrey;
    if (share < 0)
        return 0;
    return std::min(RoundEvenToInt32(share * kFullGrey), kWhiteGrey);
}

bool IsDay(std::int32_t t, const EventTimesOfDay& times) {
    if (times.TwilightBeginSec < times.TwilightEndSec)
        return times.SunriseSec < t && t < times.SunsetSec;
    return t < times.TwilightEndSec || t > times.TwilightBeginSec;
}

} // namespace

RingLimits::RingLimits(double scale) {
    static_assert(std::size(kRingBounds) == kBoundCount);
    const double lineWidth = std::max(1.0, std::round(scale));
    double previous = 0;
    for (int i = 0; i < kBoundCount; ++i) {
        const RingBound& bound = kRingBounds[i];
        const double limit =
            IsOnePixelWide(bound.ring) ? previous + lineWidth : std::round(bound.radius * scale);
        squaredLimits_[i] = limit * limit;
        previous = limit;
    }
}

FaceRing RingLimits::RingOf(double squaredDistance) const {
    for (int i = 0; i < kBoundCount; ++i)
        if (squaredDistance < squaredLimits_[i])
            return kRingBounds[i].ring;
    return FaceRing::Outside;
}

FaceRing RingOf(std::int32_t squaredRadius) {
    static const RingLimits unscaled(1);
    return unscaled.RingOf(squaredRadius);
}

RingTurns RingTurnsFor(std::int32_t solarMidnightSec) {
    const std::int32_t sm = solarMidnightSec;
    RingTurns turns;
    turns.minute = TurnIndex(sm % kSecondsPerHour * kTurnSteps, kSecondsPerHour);
    turns.hour = TurnIndex(sm * kTurnSteps, kSecondsPerDay);
    turns.week = sm <= kSecondsPerDay / 2
                     ? TurnIndex(sm * kTurnSteps, kSecondsPerWeek)
                     : TurnIndex((sm + kSixDays) * kTurnSteps, kSecondsPerWeek);
    turns.year = kLastStep - 1;
    return turns;
}

void NormaliseSunTimes(EventTimesOfDay& times) {
    for (SecondsOfDay* sunTime : {&times.SolarMidnightSec, &times.TwilightBeginSec,
                                  &times.SunriseSec, &times.SunsetSec, &times.TwilightEndSec})
        if (*sunTime < 0)
            *sunTime += kSecondsPerDay;
}

std::int32_t SecondsAfterSolarMidnight(double dx, double dy) {
    if (dy == 0)
        return dx < 0 ? kSecondsPerDay / 4 : kSecondsPerDay * 3 / 4;
    std::int32_t t = RoundEvenToInt32(std::atan(-dx / dy) * kSecondsPerDay / kFullTurn);
    if (dy < 0)
        t += kSecondsPerDay / 2;
    return t;
}

std::int32_t ClockTimeAt(std::int32_t secondsAfterSolarMidnight, std::int32_t solarMidnightSec) {
    std::int32_t t = solarMidnightSec + secondsAfterSolarMidnight;
    if (t < 0)
        t += kSecondsPerDay;
    else if (t >= kSecondsPerDay)
        t -= kSecondsPerDay;
    return t;
}

std::int32_t PixelTime(double dx, double dy, std::int32_t solarMidnightSec) {
    return ClockTimeAt(SecondsAfterSolarMidnight(dx, dy), solarMidnightSec);
}

bool MoonIsUp(std::int32_t t, std::int32_t moonriseSec, std::int32_t moonsetSec) {
    if (moonriseSec < moonsetSec)
        return moonriseSec < t && t < moonsetSec;
    return t < moonsetSec || t > moonriseSec;
}

int BandGrey(std::int32_t t, const EventTimesOfDay& times) {
    if (times.sun.followed)
        return FollowedGrey(t, times.sun);
    std::optional<double> grey = MorningGrey(t, times);
    if (!grey)
        grey = EveningGrey(t, times);
    if (!grey)
        return IsDay(t, times) ? kWhiteGrey : 0;
    return std::min(RoundEvenToInt32(*grey), kWhiteGrey);
}

} // namespace horvane
