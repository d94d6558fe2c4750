#include "clock/ReminderSchedule.h"

#include "astro/DateSerial.h"
#include "clock/EventWords.h"

#include <algorithm>
#include <cstdlib>

namespace horvane {
namespace {

// Universal time in whole seconds since Date serial 0.
std::int64_t UniversalSeconds(DateSerial local, std::int32_t utcOffsetMinutes) {
    return WholeSecondsOf(local) - std::int64_t(utcOffsetMinutes) * kSecondsPerMinute;
}

// The event's universal minute, rounded as the board shows the event.
std::int64_t UniversalMinuteOf(DateSerial event, std::int32_t utcOffsetMinutes) {
    return UniversalSeconds(RoundedToMinute(event), utcOffsetMinutes) / kSecondsPerMinute;
}

} // namespace

std::vector<DueReminder> ReminderSchedule::TakeDue(const EventBoard& board, DateSerial now,
                                                   std::int32_t utcOffsetMinutes,
                                                   const ReminderMinutes& minutes) {
    const std::int64_t nowSeconds = UniversalSeconds(now, utcOffsetMinutes);
    ForgetBefore(nowSeconds / kSecondsPerMinute - kMinutesPerDay);
    std::vector<DueReminder> due;
    for (int row = 0; row < kBoardEventCount; ++row) {
        const auto event = BoardEvent(row);
        if (!minutes[event])
            continue;
        const int before = *minutes[event];
        // A reminder before a coming event, or one at an event of the last minute.
        for (const DateSerial at : {board[event].last, board[event].next}) {
            if (at == 0)
                continue;
            const std::int64_t estimate = UniversalMinuteOf(at, utcOffsetMinutes);
            Occurrence& occurrence = Remembered(event, estimate);
            occurrence.universalMinute = estimate;
            const std::int64_t moment = (estimate - before) * std::int64_t(kSecondsPerMinute);
            if (Reminds(occurrence, moment, nowSeconds))
                due.push_back({event, before, at});
        }
    }
    dropPassed_ = false;
    return due;
}

bool ReminderSchedule::Reminds(Occurrence& occurrence, std::int64_t moment,
                               std::int64_t nowSeconds) {
    if (occurrence.reminded)
        return false;
    if (nowSeconds < moment) {
        occurrence.aheadAt = nowSeconds;
        return false;
    }
    if (nowSeconds - std::max(moment, occurrence.aheadAt.value_or(moment)) > kSecondsPerMinute)
        return false; // missed
    occurrence.reminded = true;
    return !(dropPassed_ && moment < nowSeconds);
}

void ReminderSchedule::Reschedule() {
    std::erase_if(occurrences_, [](const Occurrence& occurrence) { return !occurrence.reminded; });
}

ReminderSchedule::Occurrence& ReminderSchedule::Remembered(BoardEvent event,
                                                           std::int64_t universalMinute) {
    for (Occurrence& occurrence : occurrences_)
        if (occurrence.event == event &&
            std::llabs(occurrence.universalMinute - universalMinute) <= kSameOccurrenceMinutes)
            return occurrence;
    return occurrences_.emplace_back(Occurrence{event, universalMinute, false, std::nullopt});
}

void ReminderSchedule::ForgetBefore(std::int64_t universalMinute) {
    std::erase_if(occurrences_, [universalMinute](const Occurrence& occurrence) {
        return occurrence.universalMinute < universalMinute;
    });
}

std::string ReminderSummary(BoardEvent event, int minutesBefore) {
    if (minutesBefore == 0)
        return std::string(EventWords(event)) + " now";
    return std::string(EventWords(event)) + " in " + std::to_string(minutesBefore) +
           (minutesBefore == 1 ? " minute" : " minutes");
}

std::string ReminderBody(const std::string& place, BoardEvent event, DateSerial at,
                         DateSerial now) {
    return place + " \u2014 " + std::string(EventWords(event)) + " " + EventTimeText(at, now);
}

} // namespace horvane
