#include "astro/EventBoard.h"
#include "astro/DateSerial.h"
#include "astro/RiSeTran.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace horvane;

namespace {

DateSerial At(int year, int month, int day, int hour, int minute, int second) {
    return ToDateSerial({year, month, day, hour, minute, second});
}

} // namespace

TEST(EventBoard, WorkedExampleInWisconsin) {
    const EventBoard board = ComputeEventBoard(At(2026, 12, 4, 7, 30, 0), -360, 43.089, -87.888);
    std::vector<std::string> texts;
    for (const BoardEntry& entry : board.entries)
        texts.push_back(entry.lastText + " / " + entry.nextText);
    EXPECT_EQ(texts, (std::vector<std::string>{"6:35a / Tom 6:36a", "7:07a / Tom 7:08a",
                                               "Yes 11:41a / 11:42a", "Yes 4:17p / 4:17p",
                                               "Yes 4:49p / 4:49p", "2:50a / Tom 3:57a",
                                               "Yes 1:08p / 1:30p"}));
    // Both shifted transits lie before now, so solar midnight extrapolates past the next
    // one's time of day: the clock sits a little after 23:41:42 of the day before.
    const EventTimesOfDay& times = board.timesOfDay;
    EXPECT_NEAR(times.SolarMidnightSec, 23 * 3600 + 41 * 60 + 42, 60);
    EXPECT_NEAR(times.SunriseSec, 7 * 3600 + 7 * 60 + 30, 60);
    EXPECT_NEAR(times.SunsetSec, 16 * 3600 + 17 * 60, 60);
    EXPECT_LT(times.TwilightBeginSec, times.SunriseSec);
    EXPECT_GT(times.TwilightEndSec, times.SunsetSec);
}

// Rows: the event's day from today (4 December, now at noon), its time, and the text. The day
// is chosen to the whole second before the minute is rounded.
TEST(EventTimeText, PrefixesTheDayAndRoundsToTheMinute) {
    const std::tuple<int, int, int, int, const char*> rows[] = {
        {0, 6, 7, 0, "6:07a"},      {-1, 6, 7, 0, "Yes 6:07a"},  {1, 6, 7, 0, "Tom 6:07a"},
        {-2, 6, 7, 0, "DBY 6:07a"}, {2, 6, 7, 0, "DAT 6:07a"},   {3, 6, 7, 0, "T+3 6:07a"},
        {-3, 6, 7, 0, "T-3 6:07a"}, {12, 6, 7, 0, "T+12 6:07a"}, {-10, 6, 7, 0, "T-10 6:07a"},
        {0, 23, 59, 40, "12:00a"},  {0, 6, 7, 29, "6:07a"},      {0, 6, 7, 30, "6:08a"},
        {0, 11, 59, 30, "12:00p"},  {0, 23, 41, 0, "11:41p"}};
    const DateSerial now = At(2026, 12, 4, 12, 0, 0);
    for (const auto& [days, hour, minute, second, text] : rows)
        EXPECT_EQ(EventTimeText(At(2026, 12, 4, hour, minute, second) + days, now), text);
    EXPECT_EQ(EventTimeText(0, now), "");
}

// Rows: last and next as (day of December 2026, hour, minute, second; day 0 when not found),
// now as a share of the way from last to next, and the time of day in seconds. The drift from
// last's time of day to next's is taken within a day either way: a next two calendar days on (a
// moonrise that skipped a day) or a next before last. A missing one gives the other's.
TEST(InterpolatedTimeOfDay, SlidesFromLastsTimeOfDayToNexts) {
    using Time = std::array<int, 4>;
    const std::tuple<const char*, Time, Time, double, SecondsOfDay> rows[] = {
        {"a minute earlier each day", {4, 6, 0, 0}, {5, 5, 59, 0}, 21600.0 / 86340, 21585},
        {"at last", {4, 6, 0, 0}, {5, 5, 59, 0}, 0, 21600},
        {"at next", {4, 6, 0, 0}, {5, 5, 59, 0}, 1, 21540},
        {"across midnight", {4, 23, 40, 0}, {6, 0, 30, 0}, 0.5, 300},
        {"more than a day of drift", {4, 6, 0, 0}, {6, 6, 50, 0}, 0.5, 23100},
        {"less than minus a day", {4, 10, 0, 0}, {4, 9, 0, 0}, 0.5, 34200},
        {"same time of day", {4, 6, 30, 15}, {5, 6, 30, 15}, 0.5, 23415},
        {"no last", {0, 0, 0, 0}, {4, 6, 30, 15}, 0.5, 23415},
        {"no next", {4, 6, 30, 15}, {0, 0, 0, 0}, 0.5, 23415},
        {"neither", {0, 0, 0, 0}, {0, 0, 0, 0}, 0.5, 0},
    };
    const auto serial = [](Time t) { return t[0] == 0 ? 0 : At(2026, 12, t[0], t[1], t[2], t[3]); };
    for (const auto& [what, lastTime, nextTime, share, expected] : rows) {
        const DateSerial last = serial(lastTime), next = serial(nextTime);
        EXPECT_EQ(InterpolatedTimeOfDay(last, next, last + share * (next - last)), expected)
            << what;
    }
}

// Next to the pole a day can pass without a sun transit. Solar midnight then follows the
// transit that was found, twelve hours before it, instead of sliding from a made-up one.
TEST(EventBoard, SolarMidnightFollowsTheOneTransitFound) {
    for (const auto& [now, latitude] :
         {std::pair{At(2026, 12, 13, 12, 0, 0), 89.99}, {At(2026, 6, 22, 6, 0, 0), 90.0}}) {
        const EventBoard board = ComputeEventBoard(now, 0, latitude, 0);
        const BoardEntry& transit = board[BoardEvent::SunTransit];
        ASSERT_NE(transit.last == 0, transit.next == 0) << latitude;
        const DateSerial found = transit.last != 0 ? transit.last : transit.next;
        EXPECT_EQ(board.timesOfDay.SolarMidnightSec, SecondsOfDayOf(found - 0.5)) << latitude;
    }
}

// Moonrise and moonset come about 50 minutes later each day, so some 24 hours hold none; the
// last one is then sought from a day earlier. No moonrise in the day before 5 November 2:00 and
// no moonset in the day before 15 November 21:00: both found just before that day.
TEST(EventBoard, AMissingMoonEventIsSoughtADayEarlier) {
    const EventBoard early = ComputeEventBoard(At(2026, 11, 5, 2, 0, 0), -360, 43.089, -87.888);
    const EventBoard late = ComputeEventBoard(At(2026, 11, 15, 21, 0, 0), -360, 43.089, -87.888);
    EXPECT_EQ(early[BoardEvent::MoonRise].lastText, "Yes 1:33a");
    EXPECT_EQ(late[BoardEvent::MoonSet].lastText, "Yes 8:36p");
}
