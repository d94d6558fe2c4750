#include "astro/DayLength.h"

#include "astro/DateSerial.h"
#include "astro/DateText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace horvane {
namespace {

constexpr const char* kMinusSign = "\xE2\x88\x92"; // U+2212, as a sign is typeset

std::int64_t SecondsOf(DateSerial span) {
    return std::llround(span * kSecondsPerDay);
}

std::int64_t RoundedMinutes(std::int64_t seconds) {
    return (seconds + kSecondsPerMinute / 2) / kSecondsPerMinute;
}

struct SunlitDate {
    SunAllDay allDay = SunAllDay::No;
    std::int64_t seconds = 0;
};

SunlitDate SunlitDateFrom(const BoardSearches& searches, DateSerial dayStart) {
    const RiseTransitSet sun = searches.Sun(dayStart);
    SunAllDay allDay = SunAllDay::No;
    if (sun.rise == 0 && sun.set == 0)
        allDay = searches.IsAbove(BoardSearch::Sun, dayStart) ? SunAllDay::Up : SunAllDay::Down;
    return {allDay, SunlitSeconds(sun, dayStart, allDay)};
}

// The day number of the first sunset (the sun being up) or sunrise (down) in the days after
// dayStart's, 0 where none comes within kNextCrossingDays.
std::int64_t NextCrossingDay(const BoardSearches& searches, DateSerial dayStart, SunAllDay allDay) {
    for (int day = 1; day <= kNextCrossingDays; ++day) {
        const RiseTransitSet sun = searches.Sun(dayStart + day);
        const DateSerial crossing = allDay == SunAllDay::Up ? sun.set : sun.rise;
        if (crossing != 0)
            return DayNumberOf(crossing);
    }
    return 0;
}

// "+1m 02s", "−42s", "+1h 05m 00s", "±0s".
std::string ChangeText(std::int64_t change) {
    const std::int64_t size = std::llabs(change);
    const std::string sign = change > 0 ? "+" : change < 0 ? kMinusSign : "\xC2\xB1";
    const int hours = int(size / kSecondsPerHour);
    const int minutes = int(size / kSecondsPerMinute % kMinutesPerHour);
    const int seconds = int(size % kSecondsPerMinute);
    char text[32];
    if (hours > 0)
        std::snprintf(text, sizeof text, "%dh %02dm %02ds", hours, minutes, seconds);
    else if (minutes > 0)
        std::snprintf(text, sizeof text, "%dm %02ds", minutes, seconds);
    else
        std::snprintf(text, sizeof text, "%ds", seconds);
    return sign + text;
}

std::string NextCrossingText(const DayLength& length) {
    const char* crossing = length.allDay == SunAllDay::Up ? "sunset" : "sunrise";
    if (length.nextCrossingDay == 0)
        return std::string("no ") + crossing + " within " + std::to_string(kNextCrossingDays) +
               " days";
    CivilDateTime date;
    CivilFromDays(length.nextCrossingDay, date.year, date.month, date.day);
    return std::string("next ") + crossing + " " + FormatIsoDate(date);
}

} // namespace

std::int64_t SunlitSeconds(const RiseTransitSet& sun, DateSerial dayStart, SunAllDay allDay) {
    const DateSerial dayEnd = dayStart + 1;
    if (sun.rise == 0 && sun.set == 0)
        return allDay == SunAllDay::Up ? SecondsOf(dayEnd - dayStart) : 0;
    if (sun.rise == 0)
        return SecondsOf(sun.set - dayStart);
    if (sun.set == 0)
        return SecondsOf(dayEnd - sun.rise);
    if (sun.rise < sun.set)
        return SecondsOf(sun.set - sun.rise);
    // Set in the small hours, risen again before midnight.
    return SecondsOf(1 - (sun.rise - sun.set));
}

DayLength ComputeDayLength(DateSerial now, std::int32_t utcOffsetMinutes,
                           std::int32_t yesterdayUtcOffsetMinutes, double latitudeDegrees,
                           double eastLongitudeDegrees) {
    const BoardSearches searches{utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees};
    const DateSerial dayStart = DateSerial(DayNumberOf(now));
    const SunlitDate today = SunlitDateFrom(searches, dayStart);
    const SunlitDate yesterday = SunlitDateFrom(
        {yesterdayUtcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees}, dayStart - 1);
    DayLength length{today.allDay, today.seconds, today.seconds - yesterday.seconds, 0};
    if (length.allDay != SunAllDay::No)
        length.nextCrossingDay = NextCrossingDay(searches, dayStart, length.allDay);
    return length;
}

std::string DayLengthText(const DayLength& length) {
    switch (length.allDay) {
    case SunAllDay::Up:
        return "Day length up all day, " + NextCrossingText(length);
    case SunAllDay::Down:
        return "Day length down all day, " + NextCrossingText(length);
    case SunAllDay::No:
        break;
    }
    const std::int64_t minutes = RoundedMinutes(length.seconds);
    char text[16];
    std::snprintf(text, sizeof text, "%dh %02dm", int(minutes / kMinutesPerHour),
                  int(minutes % kMinutesPerHour));
    return std::string("Day length ") + text + " (" + ChangeText(length.change) + ")";
}

std::string HoursMinutesOfLength(std::int64_t seconds) {
    const std::int64_t minutes = RoundedMinutes(seconds);
    return FormatHoursMinutes(int(minutes / kMinutesPerHour), int(minutes % kMinutesPerHour));
}

} // namespace horvane
