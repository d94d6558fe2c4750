#include "clock/TickValues.h"

#include "astro/DateSerial.h"
#include "astro/DateText.h"
#include "astro/TimeUnits.h"
#include "clock/Contrast.h"
#include "clock/HLSRGB.h"

namespace horvane {
namespace {

constexpr std::int32_t kDaylightLevel = 210;

constexpr std::int32_t kSkyHue = 160;
constexpr std::int32_t kSkySaturation = 130;

constexpr double kSecondsPerMinuteHandStep = 5;
constexpr double kMinuteHandStepsPerTurn = 720;

// A full moon (2001-03-09 11:24) and the mean synodic month, 29 d 12 h 44 min 3 s.
constexpr DateSerial kReferenceFullMoon = 36959.475;
constexpr double kSynodicMonthDays = 29.530590277777776;

constexpr double kDaysPerYearTurn = 365;

bool InEveningRamp(SecondsOfDay sec, const EventTimesOfDay& times) {
    return times.SunsetSec <= sec && sec < times.TwilightEndSec;
}

bool InMorningRamp(SecondsOfDay sec, const EventTimesOfDay& times) {
    return times.TwilightBeginSec <= sec && sec < times.SunriseSec;
}

// Where the sun's times cannot tell day from night, its altitude grades the twilight as the
// ramps grade it by time.
std::int32_t FollowedDaylightLevel(SecondsOfDay sec, const SunCourse& sun) {
    const double share = TwilightShare(sun.AltitudeAt(sec));
    if (share >= 1)
        return kDaylightLevel;
    if (share < 0)
        return 0;
    return RoundEvenToInt32(share * kDaylightLevel);
}

// 0 at night to 210 by day.
std::int32_t DaylightLevel(SecondsOfDay sec, const EventTimesOfDay& times) {
    if (times.sun.followed)
        return FollowedDaylightLevel(sec, times.sun);
    if (InEveningRamp(sec, times))
        return RoundEvenToInt32((times.TwilightEndSec - sec) * kDaylightLevel /
                                double(times.TwilightEndSec - times.SunsetSec));
    if (InMorningRamp(sec, times))
        return RoundEvenToInt32((sec - times.TwilightBeginSec) * kDaylightLevel /
                                double(times.SunriseSec - times.TwilightBeginSec));
    if (times.SunriseSec <= sec && sec < times.SunsetSec)
        return kDaylightLevel;
    return 0;
}

} // namespace

bool InTwilightRamp(SecondsOfDay sec, const EventTimesOfDay& times) {
    if (times.sun.followed) {
        const double share = TwilightShare(times.sun.AltitudeAt(sec));
        return share >= 0 && share < 1;
    }
    return InMorningRamp(sec, times) || InEveningRamp(sec, times);
}

std::int16_t SkyLevelAt(SecondsOfDay sec, const EventTimesOfDay& times) {
    return std::int16_t(DaylightLevel(sec, times) + kNightSkyLevel);
}

Colour SkyColour(std::int16_t skyLevel) {
    return HlsToRgb(kSkyHue, skyLevel, kSkySaturation);
}

Colour LabelColourFor(std::int16_t skyLevel) {
    const Colour sky = SkyColour(skyLevel);
    return ContrastRatio(kWhite, sky) >= ContrastRatio(kBlack, sky) ? kWhite : kBlack;
}

HandValue WeekHandValue(DateSerial now, SecondsOfDay sec) {
    const std::int32_t sundayNoonToMidnight = kSecondsPerDay / 2;
    return {double((WeekdayOf(now) - 1) * kSecondsPerDay - sundayNoonToMidnight + sec),
            double(kSecondsPerWeek)};
}

double MoonPhase(DateSerial now) {
    const double months = (now - kReferenceFullMoon) / kSynodicMonthDays;
    return months - Int(months);
}

HandValue MoonHandValue(DateSerial now) {
    return {MoonPhase(now), 1};
}

HandValue YearHandValue(DateSerial now) {
    const DateSerial midsummer = ToDateSerial({ToCivil(now).year, 6, 21, 0, 0, 0});
    return {now - midsummer, kDaysPerYearTurn};
}

std::string TimeLineText(DateSerial now, const LocaleNames& names, const std::string& zoneName) {
    return FormatTimeLine(now, names) + zoneName;
}

std::int32_t SecondsSinceSolarMidnight(SecondsOfDay sec, const EventTimesOfDay& times) {
    return sec - times.SolarMidnightSec;
}

HandValue SecondHandValue(std::int32_t sinceSolarMidnight) {
    return {double(sinceSolarMidnight), double(kSecondsPerMinute)};
}

HandValue MinuteHandValue(std::int32_t sinceSolarMidnight) {
    return {Int(sinceSolarMidnight / kSecondsPerMinuteHandStep), kMinuteHandStepsPerTurn};
}

HandValue HourHandValue(std::int32_t sinceSolarMidnight) {
    return {double(sinceSolarMidnight + kSecondsPerDay / 2), double(kSecondsPerDay)};
}

} // namespace horvane
