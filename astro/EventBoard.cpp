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

struct Searches {
    std::int32_t utcOffsetMinutes;
    double latitude;
    double longitude;

    RiseTransitSet Sun(DateSerial start) const {
        return FindRiseTransitSet(start, utcOffsetMinutes, latitude, longitude, kSunRiseSetAltitude,
                                  Body::Sun);
    }
    RiseTransitSet Twilight(DateSerial start) const {
        return FindRiseTransitSet(start, utcOffsetMinutes, latitude, longitude,
                                  kCivilTwilightAltitude, Body::Sun);
    }
    RiseTransitSet Moon(DateSerial start) const {
        return FindRiseTransitSet(start, utcOffsetMinutes, latitude, longitude,
                                  kMoonRiseSetAltitude, Body::Moon);
    }
};

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

} // namespace

const char* BoardEventCaption(BoardEvent event) {
    static const char* const captions[kBoardEventCount] = {
        "Twilight Begins", "Sun Rise",  "Sun Transit", "Sun Set",
        "Twilight Ends",   "Moon Rise", "Moon Set"};
    return captions[int(event)];
}

// Event times are taken to the nearest whole second (ToCivil, DayNumberOf) before the
// day is compared and the minute rounded.
std::string EventTimeText(DateSerial event, DateSerial now) {
    if (event == 0)
        return {};
    const std::string prefix = DayPrefix(DayNumberOf(event) - DayNumberOf(now));
    const DateSerial rounded = ToCivil(event).second >= 30 ? event + 30.0 / kSecondsPerDay : event;
    return prefix + FormatShortTime(rounded);
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
    const Searches search{utcOffsetMinutes, latitudeDegrees, eastLongitudeDegrees};
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
    return board;
}

} // namespace horvane
