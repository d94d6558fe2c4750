#pragma once
// How long the sun is up on a local date and how that changed from the day before, or, on a
// day it neither rises nor sets, when it next does.

#include "astro/EventBoard.h"

#include <cstdint>
#include <string>

namespace horvane {

// How far past a day the sun stays up or down the next sunset or sunrise is looked for.
inline constexpr int kNextCrossingDays = 200;

// The seconds the sun stands above the horizon on the local date that starts at dayStart (a
// local midnight), from the sun's rise and set found by the board's search from there: sunrise
// to sunset, the date's midnights standing in for a crossing it lacks. With neither crossing,
// the whole date (allDay Up) or none of it.
std::int64_t SunlitSeconds(const RiseTransitSet& sun, DateSerial dayStart, SunAllDay allDay);

struct DayLength {
    SunAllDay allDay = SunAllDay::No; // the sun neither rises nor sets that date
    std::int64_t seconds = 0;         // sunlit seconds of the date
    std::int64_t change = 0;          // seconds more than on the date before
    // With allDay: the day number of the next sunset (Up) or sunrise (Down), 0 where there is
    // none within kNextCrossingDays.
    std::int64_t nextCrossingDay = 0;
};

// The day length of now's local date, at the place, each date searched as the year's page
// searches it: from its local midnight on a clock so many minutes ahead of universal time as
// at the date's noon (utcOffsetMinutes now's date, yesterdayUtcOffsetMinutes the day
// before's).
DayLength ComputeDayLength(DateSerial now, std::int32_t utcOffsetMinutes,
                           std::int32_t yesterdayUtcOffsetMinutes, double latitudeDegrees,
                           double eastLongitudeDegrees);

// "Day length 9h 08m (−1m 02s)", "Day length up all day, next sunset 2026-08-02" or
// "Day length down all day, no sunrise within 200 days".
std::string DayLengthText(const DayLength& length);

// "09:08" of sunlit seconds rounded to the minute.
std::string HoursMinutesOfLength(std::int64_t seconds);

} // namespace horvane
