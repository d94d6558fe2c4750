#pragma once
// The system clock as the program reads it: the local date and time and the seconds since
// local midnight, taken from one reading so that the two always agree.

#include <functional>

namespace horvane {

struct LocalClockReading {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;   // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

// Seconds since local midnight, with the fraction: 0 <= result < 86400.
double SecondsSinceMidnight(const LocalClockReading& reading);

// The system clock now, in local time (TZ is honoured).
LocalClockReading ReadSystemClock();

// Where the clock window reads the time from; tests replace it.
using ClockSource = std::function<LocalClockReading()>;

} // namespace horvane
