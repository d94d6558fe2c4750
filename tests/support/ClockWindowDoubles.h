#pragma once
// What the clock window's tests put in place of the outside world: a clock that reads what the
// test sets, a time zone of the test's choosing, and a prompt that records what it was shown.

#include "platform/ClockSource.h"
#include "platform/TimeZoneInformation.h"
#include "platform/ui/MessagePrompt.h"

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

namespace horvane::test_support {

class SettableClock {
public:
    void Set(int year, int month, int day, int hour, int minute, int second, int ms = 0) {
        reading_ = {year, month, day, hour, minute, second, ms};
    }
    // Keeps the date and sets the clock time to the given seconds since midnight.
    void SetSecondsOfDay(int sec) {
        reading_.hour = sec / 3600;
        reading_.minute = sec / 60 % 60;
        reading_.second = sec % 60;
        reading_.millisecond = 0;
    }
    int SecondsOfDay() const {
        return reading_.hour * 3600 + reading_.minute * 60 + reading_.second;
    }
    ClockSource Source() {
        return [this] { return reading_; };
    }

private:
    LocalClockReading reading_{2026, 12, 4, 7, 30, 0, 0};
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

class RecordingPrompt : public MessagePrompt {
public:
    PromptAnswer AskYesNoCancel(const std::string& question) override {
        questions.push_back(question);
        return PromptAnswer::Cancel;
    }
    void ShowError(const std::string& message) override { errors.push_back(message); }

    std::vector<std::string> questions;
    std::vector<std::string> errors;
};

// One application object for the whole test program, made on first use.
template <typename Application = QApplication, typename... Extra>
Application& TestApplication(Extra&... extra) {
    static int argc = 1;
    static char name[] = "horvane-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new Application(argc, argv, extra...);
    return *application;
}

} // namespace horvane::test_support
