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

} // namespace

// The state changes where the sky's ramps begin and end, and at night with the moon's eighth
// (the one about the full moon is 0, wrapping round at the end of the month); the day and the
// twilight show no moon, so a new phase by day changes nothing.
TEST(SkyPicture, ChangesWithTheTwilightsAndAtNightWithTheMoonsEighth) {
    std::vector<SkyState> states;
    for (const SecondsOfDay sec : {19999, 20000, 21999, 22000, 69999, 70000, 71999, 72000})
        states.push_back(SkyStateAt(sec, kSun));
    const SkyState night = SkyState::Night, twilight = SkyState::Twilight, day = SkyState::Day;
    EXPECT_EQ(states,
              (std::vector{night, twilight, twilight, day, day, twilight, twilight, night}));
    std::vector<int> buckets;
    for (const double phase : {0.0624, 0.0626, 0.5, 0.9374, 0.9376})
        buckets.push_back(MoonPhaseBucket(phase));
    EXPECT_EQ(buckets, (std::vector{0, 1, 4, 7, 0}));
    EXPECT_EQ((std::vector{SkyPictureAt(kFullMoon, 1000, kSun),
                           SkyPictureAt(kFullMoon + kHalfMonth, 1000, kSun),
                           SkyPictureAt(kFullMoon + kHalfMonth, 40000, kSun),
                           SkyPictureAt(kFullMoon, 71000, kSun)}),
              (std::vector<SkyPicture>{{night, 0}, {night, 4}, {day, 0}, {twilight, 0}}));
}

// The place, then the two soonest events not yet past in their words with the board's texts;
// equal times keep the board's order; events not found are left out.
TEST(TrayToolTip, TellsThePlaceAndTheNextTwoEventsInTimeOrder) {
    const DateSerial day = ToDateSerial({2026, 12, 7, 0, 0, 0});
    const auto at = [&](double hours) { return day + hours / 24; };
    EventBoard board; // the moonset was not found
    board.entries[int(BoardEvent::TwilightBegins)] = {0, at(30.7), "", "Tom 6:42a"};
    board.entries[int(BoardEvent::SunRise)] = {0, at(31.2), "", "Tom 7:12a"};
    board.entries[int(BoardEvent::SunTransit)] = {0, at(23), "", "11:00p"};
    board.entries[int(BoardEvent::SunSet)] = {0, at(16.28), "", "4:17p"};
    board.entries[int(BoardEvent::MoonRise)] = {0, at(23), "", "11:00p"};
    const std::pair<double, const char*> rows[] = {
        {15, "Here \u2014 Sunset 4:17p, Sun transit 11:00p"},
        {16.5, "Here \u2014 Sun transit 11:00p, Moonrise 11:00p"},
        {23.5, "Here \u2014 Twilight begins Tom 6:42a, Sunrise Tom 7:12a"},
        {31.5, "Here"}};
    for (const auto& [hours, text] : rows)
        EXPECT_EQ(TrayToolTipText("Here", board, at(hours)), text) << hours;
}
