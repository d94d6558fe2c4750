#pragma once
// The system clock as the program reads it: the local date and time and the seconds since
// local midnight, taken from one reading so that the two always agree.

#include "platform/CivilDateTime.h"

#include <functional>

namespace horvane {

struct LocalClockReading : CivilDateTime {
    int millisecond = 0; // 0..999
};

// Seconds since local midnight, with the fraction: 0 <= result < 86400.
double SecondsSinceMidnight(const LocalClockReading& reading);

// The system clock now, in local time (TZ is honoured).
LocalClockReading ReadSystemClock();

// Where the clock window reads the time from; tests replace it.
using ClockSource = std::function<LocalClockReading()>;

} // namespace horvane
