#pragma once
// What the clock window's tests put in place of the outside world: a clock that reads what the
// test sets and a time zone of the test's choosing (the prompt and application have their own
// headers, included here for the window's tests).

#include "platform/ClockSource.h"
#include "platform/TimeZoneInformation.h"
#include "testing/ScriptedPrompt.h"
#include "testing/WidgetApplication.h"

#include <algorithm>
#include <string>

namespace horvane::test_support {

class SettableClock {
public:
    void Set(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
        reading_ = {{year, month, day, hour, minute, second}, ms};
    }
    // Keeps the date and sets the clock time to the given seconds since midnight.
    void SetSecondsOfDay(int sec) {
        Set(reading_.year, reading_.month, reading_.day, sec / 3600, sec / 60 % 60, sec % 60);
    }
    int SecondsOfDay() const {
        return reading_.hour * 3600 + reading_.minute * 60 + reading_.second;
    }
    ClockSource Source() {
        return [this] { return reading_; };
    }

private:
    LocalClockReading reading_{{2026, 12, 4, 7, 30, 0}, 0};
};

// Central Standard Time, six hours behind UTC, with no daylight saving in force.
inline TimeZoneSource CentralStandardTime() {
    return [](TimeZoneInformation& info) {
        info.Bias = 360;
        const std::u16string name = u"Central Standard Time";
        std::copy(name.begin(), name.end(), info.StandardName);
        return TIME_ZONE_ID_STANDARD;
    };
}

} // namespace horvane::test_support
