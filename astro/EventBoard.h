#pragma once
// The last and next twilight, sun and moon events around an instant, with their label
// texts and the times of day the face is shaded from.

#include "astro/EventAltitudes.h"
#include "astro/EventTimesOfDay.h"
#include "astro/RiSeTran.h"
#include "platform/BasicTypes.h"

#include <array>
#include <cstdint>
#include <string>

namespace horvane {

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

// The board's three kinds of search: a body with the altitude that counts as its rise and set.
enum class BoardSearch {
    Sun,      // sunrise, sun transit, sunset
    Twilight, // twilight begins (its rise) and ends (its set)
    Moon      // moonrise and moonset
};

// The board's searches at one place and offset, each over the 24 hours after the local Date
// serial start.
struct BoardSearches {
    std::int32_t utcOffsetMinutes = 0;
    double latitudeDegrees = 0;      // north positive
    double eastLongitudeDegrees = 0; // east positive

    RiseTransitSet Find(BoardSearch search, DateSerial start) const;
    // Whether the search's body stands above its threshold at the local Date serial at.
    bool IsAbove(BoardSearch search, DateSerial at) const;

    RiseTransitSet Sun(DateSerial start) const { return Find(BoardSearch::Sun, start); }
    RiseTransitSet Twilight(DateSerial start) const { return Find(BoardSearch::Twilight, start); }
    RiseTransitSet Moon(DateSerial start) const { return Find(BoardSearch::Moon, start); }
};

// "Twilight Begins", "Sun Rise", ...
const char* BoardEventCaption(BoardEvent event);

struct BoardEntry {
    DateSerial last = 0; // 0: not found
    DateSerial next = 0;
    std::string lastText;
    std::string nextText;
};

// Where neither a sunrise nor a sunset lies within a day either way of now, the sun stays up
// or down all day.
enum class SunAllDay { No, Up, Down };

enum class BoardColumn { Last, Next };

struct EventBoard {
    std::array<BoardEntry, kBoardEventCount> entries;
    EventTimesOfDay timesOfDay;
    SunAllDay sunAllDay = SunAllDay::No;

    const BoardEntry& operator[](BoardEvent event) const { return entries[int(event)]; }
};

// Runs the six to eight searches around now (a local Date serial in whole seconds) at
// latitudeDegrees and eastLongitudeDegrees, on a clock utcOffsetMinutes ahead of universal
// time, and fills the board.
EventBoard ComputeEventBoard(DateSerial now, std::int32_t utcOffsetMinutes, double latitudeDegrees,
                             double eastLongitudeDegrees);

// The event is the sunrise or the sunset of a day the sun stays up or down.
bool SaysSunAllDay(const EventBoard& board, BoardEvent event);

// What a board cell shows: the entry's text, but in the sunrise and sunset rows of a day the
// sun stays up or down, "up 24 h" or "down 24 h".
std::string BoardCellText(const EventBoard& board, BoardEvent event, BoardColumn column);

// The cell as a screen reader should say it: "none, the sun is up all day" where it reads
// "up 24 h", otherwise its text.
std::string SpokenBoardCellText(const EventBoard& board, BoardEvent event, BoardColumn column);

// The event (a local Date serial, not 0) rounded to the nearest minute as the board shows it:
// taken to the whole second, then 30 seconds on when those seconds are 30 or more.
DateSerial RoundedToMinute(DateSerial event);

// The label of the event (a local Date serial) seen from now: a day prefix ("Yes ", "Tom ",
// "T+3 ", ...) and "h:nna/p" rounded to the minute; empty for 0.
std::string EventTimeText(DateSerial event, DateSerial now);

// The time of day sliding linearly from last's to next's as now goes from last to next.
SecondsOfDay InterpolatedTimeOfDay(DateSerial last, DateSerial next, DateSerial now);

} // namespace horvane
