#pragma once
// The last and next twilight, sun and moon events around an instant, with their label
// texts and the times of day the face is shaded from.

#include "astro/EventTimesOfDay.h"
#include "platform/BasicTypes.h"

#include <array>
#include <cstdint>
#include <string>

namespace horvane {

// The altitudes of the body's centre, in degrees, at which the board's events happen.
inline constexpr double kSunRiseSetAltitude = -0.8333;   // sunrise and sunset (not -50/60)
inline constexpr double kCivilTwilightAltitude = -6.0;   // twilight begins and ends
inline constexpr double kMoonRiseSetAltitude = 8.0 / 60; // moonrise and moonset

// Board rows, top to bottom.
enum class BoardEvent {
    TwilightBegins,
    SunRise,
    SunTransit,
    SunSet,
    TwilightEnds,
    MoonRise,
    MoonSet
};
inline constexpr int kBoardEventCount = 7;

// "Twilight Begins", "Sun Rise", ...
const char* BoardEventCaption(BoardEvent event);

struct BoardEntry {
    DateSerial last = 0; // 0: not found
    DateSerial next = 0;
    std::string lastText;
    std::string nextText;
};

struct EventBoard {
    std::array<BoardEntry, kBoardEventCount> entries;
    EventTimesOfDay timesOfDay;

    const BoardEntry& operator[](BoardEvent event) const { return entries[int(event)]; }
};

// Runs the six to eight searches around now (a local Date serial in whole seconds) at
// latitudeDegrees and eastLongitudeDegrees, on a clock utcOffsetMinutes ahead of universal
// time, and fills the board.
EventBoard ComputeEventBoard(DateSerial now, std::int32_t utcOffsetMinutes, double latitudeDegrees,
                             double eastLongitudeDegrees);

// The label of the event (a local Date serial) seen from now: a day prefix ("Yes ", "Tom ",
// "T+3 ", ...) and "h:nna/p" rounded to the minute; empty for 0.
std::string EventTimeText(DateSerial event, DateSerial now);

// The time of day sliding linearly from last's to next's as now goes from last to next.
SecondsOfDay InterpolatedTimeOfDay(DateSerial last, DateSerial next, DateSerial now);

} // namespace horvane
