#include "platform/ClockSource.h"

#include <QDateTime>

namespace horvane {

double SecondsSinceMidnight(const LocalClockReading& reading) {
    return reading.hour * 3600.0 + reading.minute * 60.0 + reading.second +
           reading.millisecond / 1000.0;
}

LocalClockReading ReadSystemClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {{date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()},
            time.msec()};
}

} // namespace horvane
