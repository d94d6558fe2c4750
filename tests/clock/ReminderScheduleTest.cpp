#include "clock/Reminders.h"

#include "astro/DateSerial.h"
#include "astro/DateText.h"
#include "astro/TimeUnits.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>

using namespace horvane;

namespace {

constexpr std::int32_t kWinter = -360, kSummer = -300;

// 2026-12-07 22:17:20 universal time, 4:17p in winter.
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

DateSerial LocalSerial(std::int64_t universal, std::int32_t offset) {
    return double(universal + offset * kSecondsPerMinute) / kSecondsPerDay;
}

// The board at now as the clock computes it, each estimate error seconds late.
EventBoard BoardOf(const Sky& sky, std::int64_t now, std::int32_t offset, int error = 0) {
    EventBoard board;
    for (const auto& [event, instants] : sky.events)
        for (const std::int64_t exact : instants) {
            BoardEntry& entry = board.entries[int(event)];
            if (exact + error <= now)
                entry.last = LocalSerial(exact + error, offset);
            else if (entry.next == 0)
                entry.next = LocalSerial(exact + error, offset);
        }
    return board;
}

// One step of a scenario: a check at seconds from the sunset, a pause, a resume, or new
// minutes before an event.
struct Step {
    enum Kind { Check, Pause, Resume, Remind } kind = Check;
    std::int64_t at = 0;
    std::int32_t offset = kWinter;
    const Sky* sky = &kHere;
    int error = 0;
    BoardEvent event = BoardEvent::SunSet;
    std::optional<int> minutes = {};
};

Step Remind(std::optional<int> minutes, BoardEvent event = BoardEvent::SunSet) {
    return {.kind = Step::Remind, .event = event, .minutes = minutes};
}
const Step kPause{Step::Pause}, kResume{Step::Resume};

// Ten minutes before the sunset unless the steps say otherwise; each sent as
// "seconds from the sunset summary: body".
std::vector<std::string> Played(const std::vector<Step>& steps) {
    Reminders reminders;
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 10;
    reminders.SetMinutes(minutes);
    std::vector<std::string> sent;
    std::int64_t at = 0;
    QObject::connect(&reminders, &Reminders::Due, [&](const QString& summary, const QString& body) {
        sent.push_back(std::to_string(at) + " " + (summary + ": " + body).toStdString());
    });
    for (const Step& step : steps) {
        const std::int64_t now = kSunset + (at = step.at);
        if (step.kind == Step::Check)
            reminders.Check(BoardOf(*step.sky, now, step.offset, step.error),
                            LocalSerial(now, step.offset), step.offset, step.sky->place);
        else if (step.kind == Step::Remind)
            minutes[step.event] = step.minutes, reminders.SetMinutes(minutes);
        else
            reminders.SetPaused(step.kind == Step::Pause);
    }
    return sent;
}

} // namespace

// 4:17p less ten minutes is 4:07p, 620 s before the sunset's 4:17:20p.
TEST(ReminderSchedule, EachReminderComesOnceInTheMinuteItIsDueAndNeverLate) {
    const auto ten = [](std::int64_t at, const char* body = "Here \u2014 Sunset 4:17p") {
        return std::to_string(at) + " Sunset in 10 minutes: " + body;
    };
    const Sky* there = &kThere;
    const BoardEvent twilight = BoardEvent::TwilightEnds;
    const std::tuple<const char*, std::vector<Step>, std::vector<std::string>> scenarios[] = {
        {"checked on the second", {{.at = -621}, {.at = -620}, {.at = -560}}, {ten(-620)}},
        {"clock set back past it", {{.at = -620}, {.at = -3000}, {.at = -600}}, {ten(-620)}},
        {"clock set forward past it", {{.at = -700}, {.at = -559}}, {}},
        {"summer time ends after it",
         {{.at = -620, .offset = kSummer}, {.at = -600}},
         {ten(-620, "Here \u2014 Sunset 5:17p")}},
        {"at the event, from the last column",
         {Remind(0), {.at = 30}, {.at = 40}},
         {"30 Sunset now: Here \u2014 Sunset 4:17p"}},
        {"moved after the reminder",
         {{.at = -620}, {.at = -600, .sky = there}, {.at = 1180, .sky = there}},
         {ten(-620), ten(1180, "There \u2014 Sunset 4:47p")}},
        {"paused over it",
         {Remind(0, twilight), {.at = -700}, kPause, {.at = -620}, kResume, {.at = 1900}},
         {"1900 Twilight ends now: Here \u2014 Twilight ends 4:49p"}},
        {"switched on later",
         {Remind({}), {.at = -620}, Remind(5), {.at = -320}},
         {"-320 Sunset in 5 minutes: Here \u2014 Sunset 4:17p"}},
        // Estimates either side of 4:17:30p round to 4:17p and 4:18p; near the poles an
        // estimate may move by minutes.
        {"estimated later, then earlier",
         {{.at = -680, .error = 11}, {.at = -620, .error = 9}, {.at = -560, .error = 11}},
         {ten(-620)}},
        {"estimated two minutes later, then back",
         {{.at = -680, .error = 9}, {.at = -610, .error = 100}, {.at = -555, .error = 9}},
         {ten(-555)}},
    };
    for (const auto& [name, steps, sent] : scenarios)
        EXPECT_EQ(Played(steps), sent) << name;
}

// A month checked every minute: each day's sunset once, only the last day's remembered.
TEST(ReminderSchedule, RemembersOnlyTheLastDaysOccurrences) {
    Sky daily{"Here", {}};
    for (int day = 0; day < 30; ++day)
        daily.events[BoardEvent::SunSet].push_back(kSunset + day * (kSecondsPerDay + 60));
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 0;
    ReminderSchedule schedule;
    std::size_t sent = 0, mostRemembered = 0;
    for (std::int64_t now = kSunset - 60; now < kSunset + 30 * kSecondsPerDay; now += 60) {
        const EventBoard board = BoardOf(daily, now, kWinter);
        sent += schedule.TakeDue(board, LocalSerial(now, kWinter), kWinter, minutes).size();
        mostRemembered = std::max(mostRemembered, schedule.RememberedCount());
    }
    EXPECT_EQ(std::pair(sent, mostRemembered <= 2), std::pair(std::size_t(30), true));
}

// A day at Shorewood with the board computed afresh every minute: each event reminded of
// once, ten minutes before the time the board shows.
TEST(ReminderSchedule, ADayOfRealBoardsRemindsOfEachEventOnceOnTime) {
    ReminderMinutes minutes;
    minutes.before.fill(10);
    Reminders reminders;
    reminders.SetMinutes(minutes);
    std::vector<std::string> sent;
    DateSerial now = 0;
    QObject::connect(&reminders, &Reminders::Due, [&](const QString& summary, const QString&) {
        sent.push_back(FormatShortTime(now) + " " + summary.toStdString());
    });
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        now = DaysFromCivil(2026, 12, 7) + double(minute) / kMinutesPerDay;
        reminders.Check(ComputeEventBoard(now, kWinter, 43.089, -87.888), now, kWinter,
                        "Shorewood");
    }
    EXPECT_EQ(sent, (std::vector<std::string>{
                        "5:59a Moonrise in 10 minutes", "6:27a Twilight begins in 10 minutes",
                        "6:59a Sunrise in 10 minutes", "11:33a Sun transit in 10 minutes",
                        "2:47p Moonset in 10 minutes", "4:06p Sunset in 10 minutes",
                        "4:38p Twilight ends in 10 minutes"}));
}
