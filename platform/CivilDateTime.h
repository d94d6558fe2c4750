#pragma once
// A local calendar date and clock time to the whole second.

namespace horvane {

struct CivilDateTime {
    int year = 1899;
    int month = 12; // 1..12
    int day = 30;   // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
};

} // namespace horvane
