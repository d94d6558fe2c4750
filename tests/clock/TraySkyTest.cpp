#include "clock/SkyState.h"
#include "clock/TrayToolTip.h"

#include "astro/DateSerial.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;

namespace {

// Dawn 20000, sunrise 22000, sunset 70000, dusk 72000.
const EventTimesOfDay kSun{3000, 20000, 22000, 70000, 72000, 0, 0};

// A full moon at noon, 2001-03-09 11:24 (the moon hand's reference); 14.77 days on, a new one.
const DateSerial kFullMoon = 36959.475;
const double kHalfMonth = 29.530590277777776 / 2;

struct Event {
    BoardEvent event;
    DateSerial next;
    const char* text;
};

// A board whose events come next at the times given; the others were not found.
EventBoard BoardOf(const std::vector<Event>& events) {
    EventBoard board;
    for (const Event& e : events)
        board.entries[int(e.event)] = {0, e.next, "", e.text};
    return board;
}

} // namespace

// The state changes where the sky's ramps begin and end, and at night with the moon's eighth
// (the one about the full moon is 0, wrapping round at the end of the month); the day and the
// twilight show no moon, so a new phase by day changes nothing.
TEST(SkyPicture, ChangesWithTheTwilightsAndAtNightWithTheMoonsEighth) {
    const std::tuple<SecondsOfDay, SkyState> states[] = {
        {0, SkyState::Night},        {19999, SkyState::Night},    {20000, SkyState::Twilight},
        {21999, SkyState::Twilight}, {22000, SkyState::Day},      {69999, SkyState::Day},
        {70000, SkyState::Twilight}, {71999, SkyState::Twilight}, {72000, SkyState::Night}};
    for (const auto& [sec, state] : states)
        EXPECT_EQ(SkyStateAt(sec, kSun), state) << sec;
    const std::tuple<double, int> buckets[] = {{0, 0},      {0.0624, 0}, {0.0626, 1},
                                               {0.25, 2},   {0.5, 4},    {0.75, 6},
                                               {0.9374, 7}, {0.9376, 0}, {0.9999, 0}};
    for (const auto& [phase, bucket] : buckets)
        EXPECT_EQ(MoonPhaseBucket(phase), bucket) << phase;
    EXPECT_EQ(SkyPictureAt(kFullMoon, 1000, kSun), (SkyPicture{SkyState::Night, 0}));
    EXPECT_EQ(SkyPictureAt(kFullMoon + kHalfMonth, 1000, kSun), (SkyPicture{SkyState::Night, 4}));
    EXPECT_EQ(SkyPictureAt(kFullMoon + kHalfMonth, 40000, kSun), (SkyPicture{SkyState::Day, 0}));
    EXPECT_EQ(SkyPictureAt(kFullMoon, 71000, kSun), (SkyPicture{SkyState::Twilight, 0}));
}

// The place, then the two soonest events not yet past in their words with the board's texts;
// equal times keep the board's order; events not found are left out.
TEST(TrayToolTip, TellsThePlaceAndTheNextTwoEventsInTimeOrder) {
    const DateSerial day = ToDateSerial({2026, 12, 7, 0, 0, 0});
    const auto at = [&](double hours) { return day + hours / 24; };
    const EventBoard winter = BoardOf({{BoardEvent::TwilightBegins, at(30.7), "Tom 6:42a"},
                                       {BoardEvent::SunRise, at(31.2), "Tom 7:12a"},
                                       {BoardEvent::SunTransit, at(35.9), "Tom 11:54a"},
                                       {BoardEvent::SunSet, at(16.28), "4:17p"},
                                       {BoardEvent::TwilightEnds, at(16.82), "4:49p"},
                                       {BoardEvent::MoonSet, at(23), "11:00p"}});
    const EventBoard tie = BoardOf({{BoardEvent::MoonRise, at(9), "9:00a"},
                                    {BoardEvent::SunTransit, at(9), "9:00a"},
                                    {BoardEvent::TwilightEnds, at(8), "8:00a"}});
    const std::tuple<const EventBoard*, double, const char*> rows[] = {
        {&winter, 15, "Shorewood, Wisconsin, US \u2014 Sunset 4:17p, Twilight ends 4:49p"},
        {&winter, 16.5, "Shorewood, Wisconsin, US \u2014 Twilight ends 4:49p, Moonset 11:00p"},
        {&winter, 23.5,
         "Shorewood, Wisconsin, US \u2014 Twilight begins Tom 6:42a, Sunrise Tom 7:12a"},
        {&tie, 0, "Shorewood, Wisconsin, US \u2014 Twilight ends 8:00a, Sun transit 9:00a"},
        {&tie, 8.5, "Shorewood, Wisconsin, US \u2014 Sun transit 9:00a, Moonrise 9:00a"},
        {&tie, 9.5, "Shorewood, Wisconsin, US"}};
    for (const auto& [board, hours, text] : rows)
        EXPECT_EQ(TrayToolTipText("Shorewood, Wisconsin, US", *board, at(hours)), text) << hours;
}
