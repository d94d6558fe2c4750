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

// The sunset the scenarios are about: 2026-12-07 22:17:20 universal time, 4:17p
// in winter.
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
const Sky kEarlier{"Earlier", {{BoardEvent::SunSet, {kSunset - 120}}}};

DateSerial LocalSerial(std::int64_t universal, std::int32_t offset) {
    return double(universal + offset * kSecondsPerMinute) / kSecondsPerDay;
}

// The board of the sky at now, as the clock computes it: the last event at or
// before now and the next one after it, each estimated error seconds late.
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
    enum Kind { Check, Pause, Resume, Remind } kind = Check;
    std::int64_t at = 0; // Check: seconds from the sunset
    std::int32_t offset = kWinter;
    const Sky* sky = &kHere;
    int error = 0; // Check: seconds the board's estimates are late
    BoardEvent event = BoardEvent::SunSet;
    std::optional<int> minutes; // Remind: the event's new minutes before
};

Step At(std::int64_t at, std::int32_t offset = kWinter, const Sky* sky = &kHere) {
    return {Step::Check, at, offset, sky, 0, BoardEvent::SunSet, std::nullopt};
}
// A board whose sunset, 4:17:20p, is estimated error seconds late.
Step Estimated(std::int64_t at, int error) {
    return {Step::Check, at, kWinter, &kHere, error, BoardEvent::SunSet, std::nullopt};
}
Step Remind(std::optional<int> minutes, BoardEvent event = BoardEvent::SunSet) {
    return {Step::Remind, 0, kWinter, &kHere, 0, event, minutes};
}
const Step kPause{Step::Pause, 0, kWinter, &kHere, 0, BoardEvent::SunSet, std::nullopt},
    kResume{Step::Resume, 0, kWinter, &kHere, 0, BoardEvent::SunSet, std::nullopt};

// Reminders ten minutes before the sunset unless the steps say otherwise; sent
// as "seconds from the sunset: summary / body".
std::vector<std::string> Played(const std::vector<Step>& steps) {
    Reminders reminders;
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 10;
    reminders.SetMinutes(minutes);
    std::vector<std::string> sent;
    std::int64_t at = 0;
    QObject::connect(&reminders, &Reminders::Due, [&](const QString& summary, const QString& body) {
        sent.push_back(std::to_string(at) + ": " + (summary + " / " + body).toStdString());
    });
    for (const Step& step : steps) {
        const std::int64_t now = kSunset + step.at;
        switch (step.kind) {
        case Step::Check:
            at = step.at;
            reminders.Check(BoardOf(*step.sky, now, step.offset, step.error),
                            LocalSerial(now, step.offset), step.offset, step.sky->place);
            break;
        case Step::Pause:
        case Step::Resume:
            reminders.SetPaused(step.kind == Step::Pause);
            break;
        case Step::Remind:
            minutes[step.event] = step.minutes;
            reminders.SetMinutes(minutes);
            break;
        }
    }
    return sent;
}

std::vector<Step> ChecksEvery30s(std::int64_t from, std::int64_t to) {
    std::vector<Step> steps;
    for (std::int64_t at = from; at <= to; at += 30)
        steps.push_back(At(at));
    return steps;
}

} // namespace

// The sunset's 4:17p less ten minutes is 4:07p, 620 s before the sunset's
// 4:17:20p.
TEST(ReminderSchedule, EachReminderComesOnceInTheMinuteItIsDueAndNeverLate) {
    const auto ten = [](std::int64_t at) {
        return std::to_string(at) + ": Sunset in 10 minutes / Here \u2014 Sunset 4:17p";
    };
    const std::string there = "1180: Sunset in 10 minutes / There \u2014 Sunset 4:47p";
    const std::tuple<const char*, std::vector<Step>, std::vector<std::string>> scenarios[] = {
        {"checked every 30 s", ChecksEvery30s(-900, 0), {ten(-600)}},
        {"checked on the second", {At(-621), At(-620), At(-561), At(-560)}, {ten(-620)}},
        {"clock set back past it", {At(-620), At(-3000), At(-620), At(-600)}, {ten(-620)}},
        {"clock set forward past it", {At(-700), At(-559), At(-300)}, {}},
        {"suspended for hours", {Remind(0, BoardEvent::TwilightEnds), At(-14400), At(10800)}, {}},
        {"summer time ends after it",
         {At(-620, kSummer), At(-600, kWinter)},
         {"-620: Sunset in 10 minutes / Here \u2014 Sunset 5:17p"}},
        {"summer time ends before it", {At(-700, kSummer), At(-600, kWinter)}, {ten(-600)}},
        {"at the event, from the last column",
         {Remind(0), At(30), At(40)},
         {"30: Sunset now / Here \u2014 Sunset 4:17p"}},
        {"one minute before",
         {Remind(1), At(-80)},
         {"-80: Sunset in 1 minute / Here \u2014 Sunset 4:17p"}},
        {"moved after the reminder",
         {At(-620), At(-600, kWinter, &kThere), At(-590), At(1180, kWinter, &kThere)},
         {ten(-620), there}},
        {"moved to a place with a sunset 3 minutes later",
         {At(-700), At(-500, kWinter, &kNear), At(-440, kWinter, &kNear)},
         {"-440: Sunset in 10 minutes / Near \u2014 Sunset 4:20p"}},
        {"moved to a place with a sunset 2 minutes earlier",
         {At(-680), At(-670, kWinter, &kEarlier)},
         {}},
        {"paused over it",
         {Remind(0, BoardEvent::TwilightEnds), At(-700), kPause, At(-620), kResume, At(-590),
          At(1900)},
         {"1900: Twilight ends now / Here \u2014 Twilight ends 4:49p"}},
        {"resumed in time", {At(-700), kPause, kResume, At(-620)}, {ten(-620)}},
        {"minutes changed after it", {At(-620), Remind(5), At(-320), At(-300)}, {ten(-620)}},
        {"minutes raised past the moment", {Remind(5), At(-380), Remind(8), At(-350)}, {}},
        {"switched on later",
         {Remind({}), At(-620), Remind(5), At(-320)},
         {"-320: Sunset in 5 minutes / Here \u2014 Sunset 4:17p"}},
        // Estimates on either side of 4:17:30p round to 4:17p and 4:18p; near
        // the poles an estimate may move by minutes.
        {"estimated later, then earlier",
         {Estimated(-680, 11), Estimated(-620, 9), Estimated(-560, 11), Estimated(-500, 9)},
         {ten(-620)}},
        {"estimated two minutes later, then back",
         {Estimated(-680, 9), Estimated(-610, 100), Estimated(-555, 9), Estimated(-500, 100)},
         {ten(-555)}},
    };
    for (const auto& [name, steps, sent] : scenarios)
        EXPECT_EQ(Played(steps), sent) << name;
}

// A month checked every minute: each day's sunset once, and only the last day's
// occurrences remembered.
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
        const EventBoard board = BoardOf(daily, now, kWinter);
        sent += int(schedule.TakeDue(board, LocalSerial(now, kWinter), kWinter, minutes).size());
        mostRemembered = std::max(mostRemembered, schedule.RememberedCount());
    }
    EXPECT_EQ(sent, 30);
    EXPECT_LE(mostRemembered, 2u);
}

// A day at Shorewood with the board computed afresh every minute, as the clock
// computes it: each of the day's events reminded of once, ten minutes before
// the time the board shows.
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
        "6:27a: Twilight begins in 10 minutes / Shorewood \u2014 Twilight begins "
        "6:37a",
        "6:59a: Sunrise in 10 minutes / Shorewood \u2014 Sunrise 7:09a",
        "11:33a: Sun transit in 10 minutes / Shorewood \u2014 Sun transit 11:43a",
        "2:47p: Moonset in 10 minutes / Shorewood \u2014 Moonset 2:57p",
        "4:06p: Sunset in 10 minutes / Shorewood \u2014 Sunset 4:16p",
        "4:38p: Twilight ends in 10 minutes / Shorewood \u2014 Twilight ends "
        "4:48p"};
    EXPECT_EQ(sent, std::vector<std::string>(std::begin(expected), std::end(expected)));
}
