#include "astro/EventBoard.h"
#include "astro/DateSerial.h"
#include "astro/RiSeTran.h"

#include <array>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

DateSerial At(int year, int month, int day, int hour, int minute, int second) {
    return ToDateSerial({year, month, day, hour, minute, second});
}

struct BoardRow {
    BoardEvent event;
    const char* last;
    const char* next;
};

} // namespace

TEST(EventBoard, WorkedExampleInWisconsin) {
    const EventBoard board = ComputeEventBoard(At(2026, 12, 4, 7, 30, 0), -360, 43.089, -87.888);
    const BoardRow expected[] = {
        {BoardEvent::TwilightBegins, "6:35a", "Tom 6:36a"},
        {BoardEvent::SunRise, "7:07a", "Tom 7:08a"},
        {BoardEvent::SunTransit, "Yes 11:41a", "11:42a"},
        {BoardEvent::SunSet, "Yes 4:17p", "4:17p"},
        {BoardEvent::TwilightEnds, "Yes 4:49p", "4:49p"},
        {BoardEvent::MoonRise, "2:50a", "Tom 3:57a"},
        {BoardEvent::MoonSet, "Yes 1:08p", "1:30p"},
    };
    for (const BoardRow& row : expected) {
        EXPECT_EQ(board[row.event].lastText, row.last) << BoardEventCaption(row.event);
        EXPECT_EQ(board[row.event].nextText, row.next) << BoardEventCaption(row.event);
    }
    // Both shifted transits lie before now, so solar midnight extrapolates past the next
    // one's time of day: the clock sits a little after 23:41:42 of the day before.
    const EventTimesOfDay& times = board.timesOfDay;
    EXPECT_NEAR(times.SolarMidnightSec, 23 * 3600 + 41 * 60 + 42, 60);
    EXPECT_NEAR(times.SunriseSec, 7 * 3600 + 7 * 60 + 30, 60);
    EXPECT_NEAR(times.SunsetSec, 16 * 3600 + 17 * 60, 60);
    EXPECT_LT(times.TwilightBeginSec, times.SunriseSec);
    EXPECT_GT(times.TwilightEndSec, times.SunsetSec);
}

TEST(EventTimeText, DayPrefixes) {
    const DateSerial now = At(2026, 12, 4, 12, 0, 0);
    const struct {
        int days;
        const char* text;
    } cases[] = {{0, "6:07a"},      {-1, "Yes 6:07a"},  {1, "Tom 6:07a"},
                 {-2, "DBY 6:07a"}, {2, "DAT 6:07a"},   {3, "T+3 6:07a"},
                 {-3, "T-3 6:07a"}, {12, "T+12 6:07a"}, {-10, "T-10 6:07a"}};
    for (const auto& row : cases)
        EXPECT_EQ(EventTimeText(At(2026, 12, 4, 6, 7, 0) + row.days, now), row.text) << row.days;
}

TEST(EventTimeText, RoundsToTheMinuteAfterChoosingTheDay) {
    const DateSerial now = At(2026, 12, 4, 8, 0, 0);
    EXPECT_EQ(EventTimeText(At(2026, 12, 4, 23, 59, 40), now), "12:00a");
    EXPECT_EQ(EventTimeText(At(2026, 12, 4, 6, 7, 29), now), "6:07a");
    EXPECT_EQ(EventTimeText(At(2026, 12, 4, 6, 7, 30), now), "6:08a");
    EXPECT_EQ(EventTimeText(At(2026, 12, 4, 11, 59, 30), now), "12:00p");
    EXPECT_EQ(EventTimeText(0, now), "");
}

// Rows: last and next as (day of December 2026, hour, minute, second), now as a share of the
// way from last to next, and the time of day in seconds. The drift from last's time of day to
// next's is taken within a day either way: a next two calendar days on (a moonrise that skipped
// a day) or a next before last.
TEST(InterpolatedTimeOfDay, SlidesFromLastsTimeOfDayToNexts) {
    const struct {
        const char* what;
        std::array<int, 4> last, next;
        double share;
        SecondsOfDay expected;
    } rows[] = {
        {"a minute earlier each day", {4, 6, 0, 0}, {5, 5, 59, 0}, 21600.0 / 86340, 21585},
        {"at last", {4, 6, 0, 0}, {5, 5, 59, 0}, 0, 21600},
        {"at next", {4, 6, 0, 0}, {5, 5, 59, 0}, 1, 21540},
        {"across midnight", {4, 23, 40, 0}, {6, 0, 30, 0}, 0.5, 300},
        {"more than a day of drift", {4, 6, 0, 0}, {6, 6, 50, 0}, 0.5, 23100},
        {"less than minus a day", {4, 10, 0, 0}, {4, 9, 0, 0}, 0.5, 34200},
        {"same time of day", {4, 6, 30, 15}, {5, 6, 30, 15}, 0.5, 23415},
    };
    for (const auto& row : rows) {
        const DateSerial last = At(2026, 12, row.last[0], row.last[1], row.last[2], row.last[3]);
        const DateSerial next = At(2026, 12, row.next[0], row.next[1], row.next[2], row.next[3]);
        EXPECT_EQ(InterpolatedTimeOfDay(last, next, last + row.share * (next - last)), row.expected)
            << row.what;
    }
}

TEST(InterpolatedTimeOfDay, MissingOccurrencesUseTheOther) {
    const DateSerial event = At(2026, 12, 4, 6, 30, 15);
    const DateSerial now = At(2026, 12, 4, 12, 0, 0);
    EXPECT_EQ(InterpolatedTimeOfDay(0, event, now), 23415);
    EXPECT_EQ(InterpolatedTimeOfDay(event, 0, now), 23415);
    EXPECT_EQ(InterpolatedTimeOfDay(0, 0, now), 0);
}

// Next to the pole a day can pass without a sun transit. Solar midnight then follows the
// transit that was found, twelve hours before it, instead of sliding from a made-up one.
TEST(EventBoard, SolarMidnightFollowsTheOneTransitFound) {
    const struct {
        DateSerial now;
        double latitude;
    } rows[] = {{At(2026, 12, 13, 12, 0, 0), 89.99}, {At(2026, 6, 22, 6, 0, 0), 90}};
    for (const auto& row : rows) {
        const EventBoard board = ComputeEventBoard(row.now, 0, row.latitude, 0);
        const BoardEntry& transit = board[BoardEvent::SunTransit];
        ASSERT_NE(transit.last == 0, transit.next == 0) << row.latitude;
        const DateSerial found = transit.last != 0 ? transit.last : transit.next;
        EXPECT_EQ(board.timesOfDay.SolarMidnightSec, SecondsOfDayOf(found - 0.5)) << row.latitude;
    }
}

TEST(EventBoard, PolarDayLeavesSunriseAndSunsetEmpty) {
    const EventBoard board = ComputeEventBoard(At(2026, 6, 21, 12, 0, 0), -480, 71.29, -156.79);
    for (BoardEvent event : {BoardEvent::SunRise, BoardEvent::SunSet, BoardEvent::TwilightBegins,
                             BoardEvent::TwilightEnds}) {
        EXPECT_EQ(board[event].lastText, "") << BoardEventCaption(event);
        EXPECT_EQ(board[event].nextText, "") << BoardEventCaption(event);
    }
    EXPECT_NE(board[BoardEvent::SunTransit].lastText, "");
    EXPECT_NE(board[BoardEvent::SunTransit].nextText, "");
}

TEST(EventBoard, MissingMoonriseComesFromTwoDaysBack) {
    // Moonrise comes about 50 minutes later each day, so within a month some 24 hours
    // hold none; the last moonrise then lies one or two calendar days back.
    const double latitude = 43.089, longitude = -87.888;
    int found = 0;
    for (int hour = 0; hour < 30 * 24 && found < 3; hour += 7) {
        const DateSerial now = At(2026, 11, 1, 0, 0, 0) + hour / 24.0;
        const RiseTransitSet lastDay = FindRiseTransitSet(now - 1, -360, latitude, longitude,
                                                          kMoonRiseSetAltitude, Body::Moon);
        if (lastDay.rise != 0)
            continue;
        ++found;
        const EventBoard board = ComputeEventBoard(now, -360, latitude, longitude);
        const BoardEntry& moonRise = board[BoardEvent::MoonRise];
        ASSERT_NE(moonRise.last, 0);
        EXPECT_LT(moonRise.last, now - 1);
        EXPECT_TRUE(moonRise.lastText.starts_with("Yes ") || moonRise.lastText.starts_with("DBY "))
            << moonRise.lastText;
    }
    EXPECT_GT(found, 0);
}
