#include "astro/EventBoard.h"

#include "astro/DateSerial.h"
#include "astro/DateText.h"
#include "astro/RiSeTran.h"

namespace horvane {
namespace {

// The day of an event relative to today: "Yes " for yesterday, "T+3 " three days on.
std::string DayPrefix(std::int64_t days) {
    switch (days) {
    case 0:
        return "";
    case -1:
        return "Yes ";
    case 1:
        return "Tom ";
    case -2:
        return "DBY ";
    case 2:
        return "DAT ";
    default:
        return (days > 0 ? "T+" : "T") + std::to_string(days) + " ";
    }
}

struct SearchThreshold {
    double altitudeDegrees;
    Body body;
};

SearchThreshold ThresholdOf(BoardSearch search) {
    switch (search) {
    case BoardSearch::Sun:
        return {kSunRiseSetAltitude, Body::Sun};
    case BoardSearch::Twilight:
        return {kCivilTwilightAltitude, Body::Sun};
    case BoardSearch::Moon:
        break;
    }
    return {kMoonRiseSetAltitude, Body::Moon};
}

// Twelve hours before a transit; a transit that was not found stays not found, so the
// solar midnight then follows the other transit alone.
DateSerial SolarMidnightBefore(DateSerial transit) {
    return transit == 0 ? 0 : transit - 0.5;
}

EventTimesOfDay TimesOfDay(const EventBoard& board, DateSerial now) {
    auto slide = [&](BoardEvent event) {
        return InterpolatedTimeOfDay(board[event].last, board[event].next, now);
    };
    EventTimesOfDay times;
    times.SolarMidnightSec =
        InterpolatedTimeOfDay(SolarMidnightBefore(board[BoardEvent::SunTransit].last),
                              SolarMidnightBefore(board[BoardEvent::SunTransit].next), now);
    times.TwilightBeginSec = slide(BoardEvent::TwilightBegins);
    times.SunriseSec = slide(BoardEvent::SunRise);
    times.SunsetSec = slide(BoardEvent::SunSet);
    times.TwilightEndSec = slide(BoardEvent::TwilightEnds);
    times.MoonriseSec = slide(BoardEvent::MoonRise);
    times.MoonsetSec = slide(BoardEvent::MoonSet);
    return times;
}

bool NeitherFound(const BoardEntry& entry) {
    return entry.last == 0 && entry.next == 0;
}

// The times of day rest on found events unless one of the sun's four has neither a last nor a
// next occurrence.
bool SunTimesRestOnFoundEvents(const EventBoard& board) {
    for (BoardEvent event : {BoardEvent::TwilightBegins, BoardEvent::SunRise, BoardEvent::SunSet,
                             BoardEvent::TwilightEnds})
        if (NeitherFound(board[event]))
            return false;
    return true;
}

SunAllDay SunAllDayOf(const EventBoard& board, const BoardSearches& search, DateSerial now) {
    if (!NeitherFound(board[BoardEvent::SunRise]) || !NeitherFound(board[BoardEvent::SunSet]))
        return SunAllDay::No;
    return search.IsAbove(BoardSearch::Sun, now) ? SunAllDay::Up : SunAllDay::Down;
}

} // namespace

RiseTransitSet BoardSearches::Find(BoardSearch search, DateSerial start) const {
    const SearchThreshold threshold = ThresholdOf(search);
    return FindRiseTransitSet(start, utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees,
                              threshold.altitudeDegrees, threshold.body);
}

bool BoardSearches::IsAbove(BoardSearch search, DateSerial at) const {
    const SearchThreshold threshold = ThresholdOf(search);
    return SineAltitudeAt(at, utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees,
                          threshold.body) > SinDeg(threshold.altitudeDegrees);
}

const char* BoardEventCaption(BoardEvent event) {
    static const char* const captions[kBoardEventCount] = {
        "Twilight Begins", "Sun Rise",  "Sun Transit", "Sun Set",
        "Twilight Ends",   "Moon Rise", "Moon Set"};
    return captions[int(event)];
}

bool SaysSunAllDay(const EventBoard& board, BoardEvent event) {
    return board.sunAllDay != SunAllDay::No &&
           (event == BoardEvent::SunRise || event == BoardEvent::SunSet);
}

std::string BoardCellText(const EventBoard& board, BoardEvent event, BoardColumn column) {
    if (SaysSunAllDay(board, event))
        return board.sunAllDay == SunAllDay::Up ? "up 24 h" : "down 24 h";
    const BoardEntry& entry = board[event];
    return column == BoardColumn::Last ? entry.lastText : entry.nextText;
}

std::string SpokenBoardCellText(const EventBoard& board, BoardEvent event, BoardColumn column) {
    if (SaysSunAllDay(board, event))
        return board.sunAllDay == SunAllDay::Up ? "none, the sun is up all day"
                                                : "none, the sun is down all day";
    return BoardCellText(board, event, column);
}

// Event times are taken to the nearest whole second (ToCivil) before the minute is rounded.
DateSerial RoundedToMinute(DateSerial event) {
    return ToCivil(event).second >= 30 ? event + 30.0 / kSecondsPerDay : event;
}

// The day is compared (DayNumberOf, to the whole second) before the minute is rounded.
std::string EventTimeText(DateSerial event, DateSerial now) {
    if (event == 0)
        return {};
    const std::string prefix = DayPrefix(DayNumberOf(event) - DayNumberOf(now));
    return prefix + FormatShortTime(RoundedToMinute(event));
}

SecondsOfDay InterpolatedTimeOfDay(DateSerial last, DateSerial next, DateSerial now) {
    if (last == 0)
        return next == 0 ? 0 : SecondsOfDayOf(next);
    if (next == 0)
        return SecondsOfDayOf(last);
    const SecondsOfDay lastSec = SecondsOfDayOf(last);
    const std::int64_t nextSec =
        (DayNumberOf(next) - DayNumberOf(last) - 1) * kSecondsPerDay + SecondsOfDayOf(next);
    std::int64_t diff = nextSec - lastSec;
    if (diff < -kSecondsPerDay)
        diff += kSecondsPerDay;
    else if (diff > kSecondsPerDay)
        diff -= kSecondsPerDay;
    if (last == next || lastSec == nextSec)
        return lastSec;
    double r = RoundEven((now - last) / (next - last) * double(diff) + lastSec);
    if (r > kSecondsPerDay)
        r -= kSecondsPerDay;
    else if (r < 0)
        r += kSecondsPerDay;
    return SecondsOfDay(r);
}

EventBoard ComputeEventBoard(DateSerial now, std::int32_t utcOffsetMinutes, double latitudeDegrees,
                             double eastLongitudeDegrees) {
    const BoardSearches search{utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees};
    const DateSerial yesterday = now - 1;

    const RiseTransitSet nextSun = search.Sun(now);
    const RiseTransitSet nextTwilight = search.Twilight(now);
    const RiseTransitSet nextMoon = search.Moon(now);
    const RiseTransitSet lastSun = search.Sun(yesterday);
    const RiseTransitSet lastTwilight = search.Twilight(yesterday);
    RiseTransitSet lastMoon = search.Moon(yesterday);
    // Moonrise and moonset come about 50 minutes later each day, so a day can hold none;
    // the last one then lies up to two days back.
    if (lastMoon.rise == 0 || lastMoon.set == 0) {
        const RiseTransitSet earlierMoon = search.Moon(yesterday - 1);
        if (lastMoon.rise == 0)
            lastMoon.rise = earlierMoon.rise;
        if (lastMoon.set == 0)
            lastMoon.set = earlierMoon.set;
    }

    EventBoard board;
    auto fill = [&](BoardEvent event, DateSerial last, DateSerial next) {
        board.entries[int(event)] = {last, next, EventTimeText(last, now),
                                     EventTimeText(next, now)};
    };
    fill(BoardEvent::TwilightBegins, lastTwilight.rise, nextTwilight.rise);
    fill(BoardEvent::SunRise, lastSun.rise, nextSun.rise);
    fill(BoardEvent::SunTransit, lastSun.transit, nextSun.transit);
    fill(BoardEvent::SunSet, lastSun.set, nextSun.set);
    fill(BoardEvent::TwilightEnds, lastTwilight.set, nextTwilight.set);
    fill(BoardEvent::MoonRise, lastMoon.rise, nextMoon.rise);
    fill(BoardEvent::MoonSet, lastMoon.set, nextMoon.set);
    board.timesOfDay = TimesOfDay(board, now);
    if (!SunTimesRestOnFoundEvents(board))
        board.timesOfDay.sun =
            FollowedSunCourse(now, utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees);
    board.sunAllDay = SunAllDayOf(board, search, now);
    return board;
}

} // namespace horvane
