#pragma once
// The reminders of the board's events as the clock sends them: at each check the ones due
// come out as a signal with the texts of a desktop notification.

#include "clock/ReminderSchedule.h"

#include <QObject>
#include <QString>

#include <string>

namespace horvane {

class Reminders : public QObject {
    Q_OBJECT

public:
    explicit Reminders(QObject* parent = nullptr);

    // The minutes before each event, as the store holds them; the next check follows them.
    void SetMinutes(const ReminderMinutes& minutes);
    const ReminderMinutes& Minutes() const { return minutes_; }

    // While paused nothing falls due; on resuming, the reminders whose moment passed in the
    // pause are dropped, not sent late.
    void SetPaused(bool paused);
    bool Paused() const { return paused_; }

    // The place's coordinates changed: the next check takes the coming events afresh. A place
    // of another name does the same by itself.
    void Reschedule() { schedule_.Reschedule(); }

    // Called by the clock as it ticks, at least once a minute: board is the one computed for
    // now (a local Date serial on a clock utcOffsetMinutes ahead of universal time) at place.
    // Emits Due once for each reminder due.
    void Check(const EventBoard& board, DateSerial now, std::int32_t utcOffsetMinutes,
               const std::string& place);

signals:
    // summary: "Sunset in 10 minutes"; body: "Shorewood, Wisconsin, US — Sunset 4:17p".
    void Due(const QString& summary, const QString& body);

private:
    ReminderSchedule schedule_;
    ReminderMinutes minutes_;
    std::string place_;
    bool paused_ = false;
};

} // namespace horvane
