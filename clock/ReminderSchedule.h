#pragma once
// Which reminders of the board's events fall due at an instant: each once for each
// occurrence of its event, at its moment (the event, rounded to the minute as the board shows
// it, less the minutes before) and at most a minute after it, never later.

#include "astro/EventBoard.h"
#include "settings/LongLat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace horvane {

struct DueReminder {
    BoardEvent event = BoardEvent::SunRise;
    int minutesBefore = 0;
    DateSerial at = 0; // the event, as the board gives it
};

// The board's times of an event move by some seconds from one computation to the next (by
// minutes near the poles), so that its rounded minute may flip back and forth: an estimate
// within kSameOccurrenceMinutes of a remembered occurrence of the same event is that
// occurrence, and its latest estimate gives the moment. A moment that a new estimate moves back
// past the last check that saw it ahead is due at once, at most a minute after that check. The
// occurrences are remembered in universal time, so that neither a clock set back nor a change
// of offset repeats one.
class ReminderSchedule {
public:
    // The reminders due at now, a local Date serial on a clock utcOffsetMinutes ahead of
    // universal time, for the events of board (computed for now on that clock). Each comes
    // once; one whose moment passed more than a minute before the check (a suspend, a clock set
    // forward) never comes.
    std::vector<DueReminder> TakeDue(const EventBoard& board, DateSerial now,
                                     std::int32_t utcOffsetMinutes, const ReminderMinutes& minutes);

    // The clock goes on after a pause: reminders whose moment lay before the next check are
    // dropped at it instead of coming late.
    void Resume() { dropPassed_ = true; }

    // Another place or other reminders: the occurrences not reminded of yet are taken afresh
    // from the next board; those reminded of are never reminded of again.
    void Reschedule();

    // How many occurrences are remembered: only those of the last day are kept.
    std::size_t RememberedCount() const { return occurrences_.size(); }

private:
    struct Occurrence {
        BoardEvent event;
        std::int64_t universalMinute; // as last estimated
        bool reminded;
        std::optional<std::int64_t> aheadAt; // the last check that saw the moment ahead
    };

    // Whether the check at nowSeconds reminds of the occurrence, whose reminder's moment is
    // moment (universal seconds); notes what the check saw of it.
    bool Reminds(Occurrence& occurrence, std::int64_t moment, std::int64_t nowSeconds);
    // The remembered occurrence that the estimate is of, remembered now when new.
    Occurrence& Remembered(BoardEvent event, std::int64_t universalMinute);
    void ForgetBefore(std::int64_t universalMinute);

    std::vector<Occurrence> occurrences_;
    bool dropPassed_ = false;
};

// Estimates of one event this close are of one occurrence: the board's times move by less,
// and the same event never comes again so soon.
inline constexpr int kSameOccurrenceMinutes = 5;

// "Sunset in 10 minutes", "Moonrise in 1 minute", "Twilight begins now".
std::string ReminderSummary(BoardEvent event, int minutesBefore);

// "Shorewood, Wisconsin, US — Sunset 4:17p": the place, and the event's time as the board
// writes it seen from now.
std::string ReminderBody(const std::string& place, BoardEvent event, DateSerial at, DateSerial now);

} // namespace horvane
