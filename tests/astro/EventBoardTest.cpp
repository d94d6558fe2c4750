#include "astro/EventBoard.h"
#include "astro/DateSerial.h"
#include "astro/RiSeTran.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <tuple>

using namespace horvane;

namespace {

DateSerial At(int year, int month, int day, int hour, int minute = 0, int second = 0) {
    return ToDateSerial({year, month, day, hour, minute, second});
}

// The board's texts, "last / next" row by row, then its seven times of day.
std::string BoardText(const EventBoard& board) {
    std::string text;
    for (const BoardEntry& entry : board.entries)
        text += entry.lastText + " / " + entry.nextText + ", ";
    const EventTimesOfDay& t = board.timesOfDay;
    for (SecondsOfDay time : {t.SolarMidnightSec, t.TwilightBeginSec, t.SunriseSec, t.SunsetSec,
                              t.TwilightEndSec, t.MoonriseSec, t.MoonsetSec})
        text += std::to_string(time) + " ";
    return text;
}

} // namespace

// In Wisconsin both shifted transits lie before now, so solar midnight extrapolates past the
// next one's time of day: a little after 23:41:42 of the day before. Moonrise and moonset come
// about 50 minutes later each day, so some 24 hours hold none; the last one is then sought from
// a day earlier (no moonrise in the day before 5 November 2:00, no moonset in the day before 15
// November 21:00). Next to the pole a day can pass without a sun transit: solar midnight then
// follows the transit that was found, twelve hours before it, instead of sliding from a made-up
// one.
TEST(EventBoard, ShowsTheEventsAroundNow) {
    const auto board = [](DateSerial now) { return ComputeEventBoard(now, -360, 43.089, -87.888); };
    EXPECT_EQ(BoardText(board(At(2026, 12, 4, 7, 30))),
              "6:35a / Tom 6:36a, 7:07a / Tom 7:08a, Yes 11:41a / 11:42a, Yes 4:17p / 4:17p, "
              "Yes 4:49p / 4:49p, 2:50a / Tom 3:57a, Yes 1:08p / 1:30p, "
              "85310 23683 25614 58609 60547 10941 48269 ");
    EXPECT_EQ(board(At(2026, 11, 5, 2))[BoardEvent::MoonRise].lastText, "Yes 1:33a");
    EXPECT_EQ(board(At(2026, 11, 15, 21))[BoardEvent::MoonSet].lastText, "Yes 8:36p");
    EXPECT_EQ(BoardText(ComputeEventBoard(At(2026, 12, 13, 12), 0, 89.99, 0)),
              " / ,  / ,  / Tom 7:08a,  / ,  / ,  / ,  / , 68867 0 0 0 0 0 0 ");
    EXPECT_EQ(BoardText(ComputeEventBoard(At(2026, 6, 22, 6), 0, 90.0, 0)),
              " / ,  / , Yes 8:13a / ,  / ,  / ,  / , Yes 11:41a / , 72750 0 0 0 0 0 42059 ");
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
    const DateSerial now = At(2026, 12, 4, 12);
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
        {"neither", {0, 0, 0, 0}, {0, 0, 0, 0}, 0.5, 0}};
    const auto serial = [](Time t) { return t[0] == 0 ? 0 : At(2026, 12, t[0], t[1], t[2], t[3]); };
    for (const auto& [what, lastTime, nextTime, share, expected] : rows) {
        const DateSerial last = serial(lastTime), next = serial(nextTime);
        EXPECT_EQ(InterpolatedTimeOfDay(last, next, last + share * (next - last)), expected)
            << what;
    }
}

// Weekdays count from Sunday as 1; serial day 0 was a Saturday. Half a second before midnight
// rounds into the next day.
TEST(DateSerial, KnownSerialsAndWeekdays) {
    const std::tuple<CivilDateTime, DateSerial, int> rows[] = {
        {{1899, 12, 30, 0, 0, 0}, 0, 7},         {{2000, 1, 1, 12, 0, 0}, 36526.5, 7},
        {{2001, 3, 9, 11, 24, 0}, 36959.475, 6}, {{1899, 12, 29, 18, 0, 0}, -0.25, 6},
        {{2026, 12, 6, 12, 0, 0}, 46362.5, 1},   {{1890, 1, 1, 0, 0, 0}, -3650, 4}};
    for (const auto& [civil, serial, weekday] : rows) {
        EXPECT_EQ(ToDateSerial(civil), serial) << serial;
        EXPECT_EQ(WeekdayOf(serial), weekday) << serial;
    }
    const DateSerial late = ToDateSerial({2026, 12, 31, 23, 59, 59}) + 0.6 / 86400;
    const CivilDateTime next = ToCivil(late);
    EXPECT_EQ((std::array{next.year, next.month, next.day, SecondsOfDayOf(late)}),
              (std::array{2027, 1, 1, 0}));
}

// Before 1899-12-30 a serial is negative while its time of day still counts forwards, so the
// day is the floor of the serial, not its truncation.
TEST(DateSerial, RoundTripsEverySecondAcrossYears) {
    for (int year : {1850, 1899, 1900, 1969, 1999, 2000, 2026, 2100}) {
        for (int second = 0; second < 86400; second += 997) {
            const CivilDateTime back =
                ToCivil(ToDateSerial({year, 2, 28, second / 3600, second / 60 % 60, second % 60}));
            EXPECT_EQ((std::array{back.year, back.day,
                                  back.hour * 3600 + back.minute * 60 + back.second}),
                      (std::array{year, 28, second}));
        }
    }
}
