// The running clock when the system clock jumps or daylight saving starts: the tick after
// the change shows what a clock started at the new time shows.

#include "clock/frmMain.h"

#include "testing/ClockWindowWorld.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

struct ClockJump {
    const char* what;
    LocalClockReading to;
};

// What the window shows that depends on the date and the time.
std::vector<std::string> Shown(const frmMain& window) {
    std::vector<std::string> texts{window.lblTime->text().toStdString()};
    for (std::size_t i = 0; i < window.lblLast.size(); ++i) {
        texts.push_back(window.lblLast[i]->text().toStdString());
        texts.push_back(window.lblNext[i]->text().toStdString());
    }
    return texts;
}

// Starts a clock at 2026-12-04 07:30, jumps its system clock, ticks once, and compares it
// with a clock started at the new time.
void ExpectFollowed(const ClockJump& jump) {
    TestApplication();
    ClockWindowWorld world;
    world.clock.Set(2026, 12, 4, 7, 30, 0);
    const std::unique_ptr<frmMain> running = world.Start();
    const LocalClockReading& to = jump.to;
    world.clock.Set(to.year, to.month, to.day, to.hour, to.minute, to.second);
    running->Timer1_Timer();

    const std::unique_ptr<frmMain> started = world.Start();
    EXPECT_EQ(Shown(*running), Shown(*started)) << jump.what;
}

} // namespace

TEST(RunningClock, AJumpOfTheSystemClockToAnotherMinuteIsFollowedAtTheNextTick) {
    ExpectFollowed({"back an hour", {{2026, 12, 4, 6, 30, 0}, 0}});
    ExpectFollowed({"forward a day and a minute", {{2026, 12, 5, 7, 31, 0}, 0}});
}

// The minute stamp holds only the minute of the day: the date tells these jumps apart.
TEST(RunningClock, AJumpToTheSameMinuteOfAnotherDayIsFollowedAtTheNextTick) {
    ExpectFollowed({"forward a day", {{2026, 12, 5, 7, 30, 0}, 0}});
    ExpectFollowed({"back a year", {{2025, 12, 4, 7, 30, 0}, 0}});
}

TEST(RunningClock, ADaylightSavingChangeIsFollowedAtTheNextMinute) {
    TestApplication();
    ClockWindowWorld world;
    bool daylight = false;
    // Central time, whose daylight-saving part starts while the clock runs.
    const TimeZoneSource zone = [&daylight](TimeZoneInformation& info) {
        info.Bias = 360;
        info.DaylightBias = -60;
        const std::u16string standard = u"Central Standard Time";
        const std::u16string summer = u"Central Daylight Time";
        std::copy(standard.begin(), standard.end(), info.StandardName);
        std::copy(summer.begin(), summer.end(), info.DaylightName);
        return daylight ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
    };
    world.clock.Set(2026, 3, 8, 1, 59, 0);
    frmMain running(world.store, world.prompt, world.clock.Source(), zone);
    EXPECT_EQ(running.UtcOffsetMinutes, -360);

    daylight = true;
    world.clock.Set(2026, 3, 8, 3, 0, 0);
    running.Timer1_Timer();
    EXPECT_EQ(running.UtcOffsetMinutes, -300);
    EXPECT_EQ(running.ZoneName, "Central Daylight Time");
    frmMain started(world.store, world.prompt, world.clock.Source(), zone);
    EXPECT_EQ(Shown(running), Shown(started));
}
