#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>

using namespace horvane;

namespace {

// To the whole second, as the board shows event times, with a "+" on the day after; "-" for none.
std::string Stamp(DateSerial serial, int today) {
    const CivilDateTime c = ToCivil(serial);
    char text[16];
    std::snprintf(text, sizeof text, "%s%d:%02d:%02d", c.day == today ? "" : "+", c.hour, c.minute,
                  c.second);
    return serial == 0 ? "-" : text;
}

double ThresholdOf(Body body) {
    return body == Body::Moon ? kMoonRiseSetAltitude : kSunRiseSetAltitude;
}

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

// Rows: samples at x = -1, 0, 1, the count of roots inside [-1, 1] and those roots. Roots on
// the ends count, and so do those a hair outside; one inside; none, touching, straight lines
// crossing inside and outside, and flat.
TEST(FitParabola, RootsInsideTheSpan) {
    const double r = 1 + 2e-8; // as a float exactly 1: counts as inside
    const double h = std::sqrt(0.5), q = std::sqrt(2.0) - 1, e = 1 - r * r;
    const std::tuple<const char*, double, double, double, int, double, double> cases[] = {
        {"1 - 2x^2", -1, 1, -1, 2, -h, h},    {"1 - x^2", 0, 1, 0, 2, -1, 1},
        {"x^2 - r^2", e, e - 1, e, 2, -r, r}, {"x^2 + 2x - 1", -2, -1, 2, 1, q, 0},
        {"x^2 + 1", 2, 1, 2, 0, 0, 0},        {"x^2", 1, 0, 1, 0, 0, 0},
        {"x - 1", -1, -0.5, 0, 1, 1, 0},      {"x + 2", 1, 2, 3, 0, 0, 0},
        {"flat", 0.5, 0.5, 0.5, 0, 0, 0}};
    for (const auto& [shape, yMinus, y0, yPlus, count, root1, root2] : cases) {
        const ParabolaFit fit = FitParabola(yMinus, y0, yPlus);
        EXPECT_EQ(fit.count, count) << shape;
        EXPECT_NEAR(count >= 1 ? fit.root1 : 0, root1, 1e-15) << shape;
        EXPECT_NEAR(count == 2 ? fit.root2 : 0, root2, 1e-15) << shape;
    }
}

// Rows: start, UTC offset, place, body, and the rise, transit and set found in the 24 hours
// after start. In polar day and night the highest point is still reported near solar noon. In
// polar day nothing ends the search early and a later transit replaces an earlier one, so a
// search started just after a transit (13:02 at 78 N 15 E) keeps tomorrow's.
TEST(RiseSetSearch, FindsTheEventsOfTheDayAhead) {
    using enum Body;
    const std::tuple<const char*, CivilDateTime, int, double, double, Body, const char*> rows[] = {
        {"WI sun", {2026, 12, 4, 7, 30}, -360, 43.089, -87.888, Sun, "+7:07:54 11:41:42 16:16:44"},
        {"WI moon", {2026, 12, 4, 7, 30}, -360, 43.089, -87.888, Moon, "+3:56:36 8:10:28 13:29:42"},
        {"Sydney in 1988", {1988, 1, 26}, 660, -33.917, 151.217, Sun, "6:09:20 13:07:25 20:04:58"},
        {"Barrow in June", {2026, 6, 21}, -480, 71.29, -156.79, Sun, "- 14:29:06 -"},
        {"Barrow in December", {2026, 12, 21}, -540, 71.29, -156.79, Sun, "- 13:25:26 -"},
        {"Byrd in December", {2026, 12, 21}, 0, -80.0, -119.5, Sun, "- 19:56:17 -"},
        {"78 N at 13:03", {2026, 6, 21, 13, 3}, 120, 78, 15, Sun, "- +13:02:03 -"},
        {"78 N at 13:31", {2026, 6, 21, 13, 31}, 120, 78, 15, Sun, "- +13:02:04 -"},
        {"71 S, moon", {1975, 10, 7, 10}, -360, -71.1, 2.65, Moon, "20:51:11 +8:47:54 19:31:23"},
        {"78 N, moon", {2000, 2, 12, 12}, 720, 78.06, -105.1, Moon, "+0:33:56 12:26:06 +0:14:20"}};
    for (const auto& [place, start, offset, latitude, longitude, body, expected] : rows) {
        const RiseTransitSet found = FindRiseTransitSet(ToDateSerial(start), offset, latitude,
                                                        longitude, ThresholdOf(body), body);
        const int today = start.day;
        EXPECT_EQ(Stamp(found.rise, today) + " " + Stamp(found.transit, today) + " " +
                      Stamp(found.set, today),
                  expected)
            << place;
    }
}

// Thousands of random places and days: a reported rise or set lies in the day searched, with
// the body below its threshold two minutes before a rise and above it two minutes after, and
// the other way round for a set.
TEST(RiseSetSearch, RandomPlacesReportRealCrossings) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180),
        day(-12000, 20000);
    for (int trial = 0; trial < 3000; ++trial) {
        const Body body = trial % 2 == 1 ? Body::Moon : Body::Sun;
        const double lat = latitude(random), lon = longitude(random);
        const DateSerial start = std::round((36526.5 + day(random)) * 1440) / 1440;
        const RiseTransitSet found =
            FindRiseTransitSet(start, 0, lat, lon, ThresholdOf(body), body);
        const auto above = [&](DateSerial at, double minutes) {
            return SineAltitudeAt(at + minutes / 1440, 0, lat, lon, body) >
                   SinDeg(ThresholdOf(body));
        };
        for (DateSerial crossing : {found.rise, found.set})
            EXPECT_TRUE(crossing == 0 ||
                        (crossing - start <= 1 && above(crossing, -2) == (crossing == found.set) &&
                         above(crossing, 2) == (crossing == found.rise)))
                << trial;
    }
}

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
// moonrise that skipped a day) or a next before last, and it may cross midnight either way. A
// missing one gives the other's.
TEST(InterpolatedTimeOfDay, SlidesFromLastsTimeOfDayToNexts) {
    using Time = std::array<int, 4>;
    const std::tuple<const char*, Time, Time, double, SecondsOfDay> rows[] = {
        {"a minute earlier each day", {4, 6, 0, 0}, {5, 5, 59, 0}, 21600.0 / 86340, 21585},
        {"at last", {4, 6, 0, 0}, {5, 5, 59, 0}, 0, 21600},
        {"at next", {4, 6, 0, 0}, {5, 5, 59, 0}, 1, 21540},
        {"across midnight", {4, 23, 40, 0}, {6, 0, 30, 0}, 0.5, 300},
        {"back across midnight", {4, 0, 0, 30}, {4, 23, 59, 50}, 0.9, 86394},
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
// rounds into the next day. Before 1899-12-30 a serial is negative while its time of day still
// counts forwards, so the day is the floor of the serial, not its truncation: every second
// goes there and back.
TEST(DateSerial, KnownSerialsAndWeekdaysAndEverySecondThereAndBack) {
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
    for (int year : {1850, 1899, 1900, 1969, 1999, 2000, 2026, 2100})
        for (int second = 0; second < 86400; second += 997) {
            const CivilDateTime back =
                ToCivil(ToDateSerial({year, 2, 28, second / 3600, second / 60 % 60, second % 60}));
            ASSERT_EQ((std::array{back.year, back.day,
                                  back.hour * 3600 + back.minute * 60 + back.second}),
                      (std::array{year, 28, second}));
        }
}
