#include "clock/Reminders.h"

#include "astro/DateSerial.h"
#include "astro/DateText.h"
#include "astro/TimeUnits.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace horvane;

namespace {

// The clock's offsets in winter and summer at the place.
constexpr std::int32_t kWinter = -360, kSummer = -300;

// The sunset the scenarios are about: 2026-12-07 22:17:20 universal time, 4:17p in winter.
const std::int64_t kSunset = DaysFromCivil(2026, 12, 7) * kSecondsPerDay + 22 * 3600 + 17 * 60 + 20;

// A place's events in universal seconds since Date serial 0.
struct Sky {
    std::string place;
    std::map<BoardEvent, std::vector<std::int64_t>> events;
};

const Sky kHere{
    "Here",
    {{BoardEvent::SunSet, {kSunset - kSecondsPerDay, kSunset, kSunset + kSecondsPerDay}},
     {BoardEvent::TwilightEnds, {kSunset + 1920}}}};
const Sky kThere{"There", {{BoardEvent::SunSet, {kSunset + 1800}}}};
const Sky kNear{"Near", {{BoardEvent::SunSet, {kSunset + 180}}}};

DateSerial LocalSerial(std::int64_t universal, std::int32_t offset) {
    return double(universal + offset * kSecondsPerMinute) / kSecondsPerDay;
}

// The board of the sky at now, as the clock computes it: the last event at or before now and
// the next one after it, each estimated error seconds late.
EventBoard BoardOf(const Sky& sky, std::int64_t now, std::int32_t offset, int error = 0) {
    EventBoard board;
    for (const auto& [event, instants] : sky.events)
        for (const std::int64_t exact : instants) {
            const std::int64_t instant = exact + error;
            BoardEntry& entry = board.entries[int(event)];
            if (instant <= now)
                entry.last = LocalSerial(instant, offset);
            else if (entry.next == 0)
                entry.next = LocalSerial(instant, offset);
        }
    return board;
}

// One step of a scenario under a settable clock.
struct Step {
    enum Kind { Check, Pause, Resume, RemindSunset } kind = Check;
    std::int64_t at = 0; // Check: seconds from the sunset
    std::int32_t offset = kWinter;
    const Sky* sky = &kHere;
    std::optional<int> sunsetMinutes; // RemindSunset: the new minutes before the sunset
    int error = 0;                    // Check: seconds the board's estimates are late
};

Step At(std::int64_t at, std::int32_t offset = kWinter, const Sky* sky = &kHere) {
    return {Step::Check, at, offset, sky, std::nullopt, 0};
}
// A board whose sunset, 4:17:20p, is estimated error seconds late.
Step Estimated(std::int64_t at, int error) {
    return {Step::Check, at, kWinter, &kHere, std::nullopt, error};
}
Step Remind(std::optional<int> minutes) {
    return {Step::RemindSunset, 0, kWinter, &kHere, minutes, 0};
}
const Step kPause{Step::Pause, 0, kWinter, &kHere, std::nullopt, 0},
    kResume{Step::Resume, 0, kWinter, &kHere, std::nullopt, 0};

struct Scenario {
    const char* name;
    std::optional<int> sunsetMinutes;
    std::optional<int> twilightEndsMinutes;
    std::vector<Step> steps;
    std::vector<std::string> sent; // "seconds from the sunset: summary / body"
};

std::vector<Step> ChecksEvery30s(std::int64_t from, std::int64_t to) {
    std::vector<Step> steps;
    for (std::int64_t at = from; at <= to; at += 30)
        steps.push_back(At(at));
    return steps;
}

std::vector<std::string> Played(const Scenario& scenario) {
    Reminders reminders;
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = scenario.sunsetMinutes;
    minutes[BoardEvent::TwilightEnds] = scenario.twilightEndsMinutes;
    reminders.SetMinutes(minutes);
    std::vector<std::string> sent;
    std::int64_t at = 0;
    QObject::connect(&reminders, &Reminders::Due, [&](const QString& summary, const QString& body) {
        sent.push_back(std::to_string(at) + ": " + (summary + " / " + body).toStdString());
    });
    for (const Step& step : scenario.steps) {
        switch (step.kind) {
        case Step::Check: {
            at = step.at;
            const std::int64_t now = kSunset + step.at;
            reminders.Check(BoardOf(*step.sky, now, step.offset, step.error),
                            LocalSerial(now, step.offset), step.offset, step.sky->place);
            break;
        }
        case Step::Pause:
        case Step::Resume:
            reminders.SetPaused(step.kind == Step::Pause);
            break;
        case Step::RemindSunset:
            minutes[BoardEvent::SunSet] = step.sunsetMinutes;
            reminders.SetMinutes(minutes);
            break;
        }
    }
    return sent;
}

} // namespace

// The sunset's 4:17p less ten minutes is 4:07p, 620 s before the sunset's 4:17:20p.
TEST(ReminderSchedule, EachReminderComesOnceInTheMinuteItIsDueAndNeverLate) {
    const std::string tenBefore = ": Sunset in 10 minutes / Here \u2014 Sunset 4:17p";
    const Scenario scenarios[] = {
        {"checked every 30 s", 10, {}, ChecksEvery30s(-900, 0), {"-600" + tenBefore}},
        {"checked on the second",
         10,
         {},
         {At(-621), At(-620), At(-561), At(-560)},
         {"-620" + tenBefore}},
        {"clock set back past it",
         10,
         {},
         {At(-620), At(-3000), At(-620), At(-600)},
         {"-620" + tenBefore}},
        {"clock set forward past it", 10, {}, {At(-700), At(-559), At(-300)}, {}},
        {"suspended for hours", 10, 0, {At(-4 * 3600), At(3 * 3600)}, {}},
        {"summer time ends after it",
         10,
         {},
         {At(-620, kSummer), At(-600, kWinter)},
         {"-620: Sunset in 10 minutes / Here \u2014 Sunset 5:17p"}},
        {"summer time ends before it",
         10,
         {},
         {At(-700, kSummer), At(-600, kWinter)},
         {"-600" + tenBefore}},
        {"at the event, from the last column",
         0,
         {},
         {At(30), At(40)},
         {"30: Sunset now / Here \u2014 Sunset 4:17p"}},
        {"one minute before",
         1,
         {},
         {At(-80)},
         {"-80: Sunset in 1 minute / Here \u2014 Sunset 4:17p"}},
        {"moved to a place with a later sunset",
         10,
         {},
         {At(-700), At(-620, kWinter, &kThere), At(1180, kWinter, &kThere),
          At(1190, kWinter, &kHere), At(1200, kWinter, &kThere)},
         {"1180: Sunset in 10 minutes / There \u2014 Sunset 4:47p"}},
        {"moved to a place with a sunset 3 minutes later",
         10,
         {},
         {At(-700), At(-500, kWinter, &kNear), At(-440, kWinter, &kNear)},
         {"-440: Sunset in 10 minutes / Near \u2014 Sunset 4:20p"}},
        {"moved after the reminder",
         10,
         {},
         {At(-620), At(-600, kWinter, &kThere), At(-590), At(1180, kWinter, &kThere)},
         {"-620" + tenBefore, "1180: Sunset in 10 minutes / There \u2014 Sunset 4:47p"}},
        {"paused over it",
         10,
         0,
         {At(-700), kPause, At(-620), kResume, At(-590), At(-500), At(1900)},
         {"1900: Twilight ends now / Here \u2014 Twilight ends 4:49p"}},
        {"resumed in time", 10, {}, {At(-700), kPause, kResume, At(-620)}, {"-620" + tenBefore}},
        {"minutes changed after it",
         10,
         {},
         {At(-620), Remind(5), At(-320), At(-300)},
         {"-620" + tenBefore}},
        {"switched on later",
         {},
         {},
         {At(-620), Remind(5), At(-320)},
         {"-320: Sunset in 5 minutes / Here \u2014 Sunset 4:17p"}},
        {"switched off", 10, {}, {At(-700), Remind({}), At(-620)}, {}},
        // Estimates on either side of 4:17:30p round to 4:17p and 4:18p.
        {"estimated later, then earlier",
         10,
         {},
         {Estimated(-680, 11), Estimated(-620, 9), Estimated(-560, 11), Estimated(-500, 9)},
         {"-620" + tenBefore}},
        {"estimated earlier, then later",
         10,
         {},
         {Estimated(-680, 9), Estimated(-620, 11), Estimated(-560, 9), Estimated(-500, 11)},
         {"-560" + tenBefore}},
        // Near the poles an estimate may move by minutes: 4:19p, then back to 4:17p.
        {"estimated two minutes later, then back",
         10,
         {},
         {Estimated(-680, 9), Estimated(-610, 100), Estimated(-555, 9), Estimated(-500, 100)},
         {"-555" + tenBefore}},
    };
    for (const Scenario& scenario : scenarios)
        EXPECT_EQ(Played(scenario), scenario.sent) << scenario.name;
}

// A month checked every minute: each day's sunset once, and only the last day's occurrences
// remembered.
TEST(ReminderSchedule, RemembersOnlyTheLastDaysOccurrences) {
    Sky daily{"Here", {}};
    for (int day = 0; day < 30; ++day)
        daily.events[BoardEvent::SunSet].push_back(kSunset + day * kSecondsPerDay + day * 60);
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 0;
    ReminderSchedule schedule;
    int sent = 0;
    std::size_t mostRemembered = 0;
    for (std::int64_t now = kSunset - 60; now < kSunset + 30 * kSecondsPerDay; now += 60) {
        sent += int(
            schedule
                .TakeDue(BoardOf(daily, now, kWinter), LocalSerial(now, kWinter), kWinter, minutes)
                .size());
        mostRemembered = std::max(mostRemembered, schedule.RememberedCount());
    }
    EXPECT_EQ(sent, 30);
    EXPECT_LE(mostRemembered, 2u);
}

// A day at Shorewood with the board computed afresh every minute, as the clock computes it: each
// of the day's events reminded of once, ten minutes before the time the board shows.
TEST(ReminderSchedule, ADayOfRealBoardsRemindsOfEachEventOnceOnTime) {
    const double latitude = 43.089, eastLongitude = -87.888;
    ReminderMinutes minutes;
    minutes.before.fill(10);
    Reminders reminders;
    reminders.SetMinutes(minutes);
    std::vector<std::string> sent;
    DateSerial now = 0;
    QObject::connect(&reminders, &Reminders::Due, [&](const QString& summary, const QString& body) {
        sent.push_back(FormatShortTime(now) + ": " + (summary + " / " + body).toStdString());
    });
    const DateSerial midnight = double(DaysFromCivil(2026, 12, 7));
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        now = midnight + double(minute) / kMinutesPerDay;
        reminders.Check(ComputeEventBoard(now, kWinter, latitude, eastLongitude), now, kWinter,
                        "Shorewood");
    }
    const std::string expected[] = {
        "5:59a: Moonrise in 10 minutes / Shorewood \u2014 Moonrise 6:09a",
        "6:27a: Twilight begins in 10 minutes / Shorewood \u2014 Twilight begins 6:37a",
        "6:59a: Sunrise in 10 minutes / Shorewood \u2014 Sunrise 7:09a",
        "11:33a: Sun transit in 10 minutes / Shorewood \u2014 Sun transit 11:43a",
        "2:47p: Moonset in 10 minutes / Shorewood \u2014 Moonset 2:57p",
        "4:06p: Sunset in 10 minutes / Shorewood \u2014 Sunset 4:16p",
        "4:38p: Twilight ends in 10 minutes / Shorewood \u2014 Twilight ends 4:48p"};
    EXPECT_EQ(sent, std::vector<std::string>(std::begin(expected), std::end(expected)));
}
