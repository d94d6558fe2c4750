#include "clock/Reminders.h"

namespace horvane {

Reminders::Reminders(QObject* parent) : QObject(parent) {}

// The same minutes again change nothing.
void Reminders::SetMinutes(const ReminderMinutes& minutes) {
    if (minutes == minutes_)
        return;
    minutes_ = minutes;
    schedule_.Reschedule();
}

void Reminders::SetPaused(bool paused) {
    if (paused_ && !paused)
        schedule_.Resume();
    paused_ = paused;
}

void Reminders::Check(const EventBoard& board, DateSerial now, std::int32_t utcOffsetMinutes,
                      const std::string& place) {
    if (paused_)
        return;
    if (place != place_)
        schedule_.Reschedule();
    place_ = place;
    for (const DueReminder& due : schedule_.TakeDue(board, now, utcOffsetMinutes, minutes_))
        emit Due(QString::fromStdString(ReminderSummary(due.event, due.minutesBefore)),
                 QString::fromStdString(ReminderBody(place, due.event, due.at, now)));
}

} // namespace horvane
