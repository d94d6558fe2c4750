#pragma once
// What horvane-almanac prints: the board as the window shows it, or one JSON object.

#include "astro/EventBoard.h"
#include "tools/almanac/AlmanacPlace.h"

#include <cstdint>
#include <string>

namespace horvane {

struct AlmanacReading {
    AlmanacPlace place;
    DateSerial now = 0;
    std::int32_t utcOffsetMinutes = 0;
    std::string timeLine; // date, time and zone name, as the clock writes it
    EventBoard board;
};

std::string BoardText(const AlmanacReading& reading);
std::string BoardJson(const AlmanacReading& reading);

// The shortest decimal text that reads back to the same double.
std::string ExactNumberText(double value);

} // namespace horvane
