#include "astro/DateText.h"

#include <cstdio>

namespace horvane {
namespace {

int TwelveHourClock(int hour) {
    return hour % 12 == 0 ? 12 : hour % 12;
}

std::string TwoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

} // namespace

std::string FormatTimeLine(DateSerial serial, const LocaleNames& names) {
    const CivilDateTime civil = ToCivil(serial);
    return names.days[WeekdayOf(serial) - 1] + " " + names.months[civil.month - 1] + " " +
           std::to_string(civil.day) + " " + TwoDigits(((civil.year % 100) + 100) % 100) + " " +
           std::to_string(TwelveHourClock(civil.hour)) + ":" + TwoDigits(civil.minute) +
           (civil.hour < 12 ? "am " : "pm ");
}

std::string FormatShortTime(DateSerial serial) {
    const CivilDateTime civil = ToCivil(serial);
    return std::to_string(TwelveHourClock(civil.hour)) + ":" + TwoDigits(civil.minute) +
           (civil.hour < 12 ? "a" : "p");
}

std::string FormatIsoDate(const CivilDateTime& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100,
                  date.day % 100);
    return text;
}

std::string FormatHoursMinutes(int hours, int minutes) {
    return TwoDigits(hours) + ":" + TwoDigits(minutes);
}

} // namespace horvane
