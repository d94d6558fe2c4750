#pragma once
// What horvane-almanac prints: the board as the window shows it, or one JSON object.

#include "astro/DayLength.h"
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
    DayLength dayLength; // of now's local date
};

std::string BoardText(const AlmanacReading& reading);
std::string BoardJson(const AlmanacReading& reading);

// The text as a JSON string, quoted, with quotes, backslashes and control characters escaped.
std::string JsonString(const std::string& text);

// The shortest decimal text that reads back to the same double.
std::string ExactNumberText(double value);

} // namespace horvane
