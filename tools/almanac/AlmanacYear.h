#pragma once
// The year's almanac page: the rising and setting of the sun, the civil twilight or the moon
// for every day of one year at one place.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "tools/almanac/AlmanacPlace.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace horvane {

struct YearDay {
    CivilDateTime date; // local midnight that starts the day's search
    std::int32_t utcOffsetMinutes = 0;
    DateSerial rise = 0; // local Date serials, 0: not found in the day
    DateSerial set = 0;
    DateSerial transit = 0;
    std::int64_t sunlitSeconds = 0; // on the sun's page: how long the sun is up that date
    std::string riseText; // "hhmm", "****" above all day, "----" below all day, "" not found
    std::string setText;
};

struct YearTable {
    int year = 0;
    BoardSearch event = BoardSearch::Sun;
    AlmanacPlace place;
    std::string zone; // the zone the times are told in: a zone's name or "UTC-06:00"
    std::vector<YearDay> days;
    bool dayLengthColumn = false; // the sun's page also tells each day's length
};

// The offset from universal time, in minutes, of the clock on the day whose local noon is given.
using DayOffset = std::function<std::int32_t(const CivilDateTime& localNoon)>;

// Runs the board's search for the event from every local midnight of the year.
YearTable ComputeYearTable(int year, BoardSearch event, const AlmanacPlace& place,
                           const DayOffset& offsetOfDay);

// The classic page: days 1 to 31 down, the twelve months across, "hhmm hhmm" in each cell.
std::string YearTableText(const YearTable& table);

std::string YearTableJson(const YearTable& table);

} // namespace horvane
