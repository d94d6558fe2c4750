#include "astro/DateSerial.h"

#include <chrono>

namespace horvane {
namespace {

// 1899-12-30 counted from 1970-01-01.
constexpr std::int64_t kSerialZeroUnixDays = -25569;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    const std::int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

} // namespace

std::int64_t DaysFromCivil(int year, int month, int day) {
    using namespace std::chrono;
    const sys_days date{std::chrono::year{year} / std::chrono::month{unsigned(month)} /
                        std::chrono::day{unsigned(day)}};
    return date.time_since_epoch().count() - kSerialZeroUnixDays;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
    using namespace std::chrono;
    const year_month_day date{sys_days{std::chrono::days{days + kSerialZeroUnixDays}}};
    year = int(date.year());
    month = int(unsigned(date.month()));
    day = int(unsigned(date.day()));
}

DateSerial ToDateSerial(const CivilDateTime& civil) {
    const double seconds = civil.hour * double(kSecondsPerHour) +
                           civil.minute * double(kSecondsPerMinute) + civil.second;
    return double(DaysFromCivil(civil.year, civil.month, civil.day)) + seconds / kSecondsPerDay;
}

std::int64_t WholeSecondsOf(DateSerial serial) {
    return static_cast<std::int64_t>(RoundEven(serial * kSecondsPerDay));
}

std::int64_t DayNumberOf(DateSerial serial) {
    return FloorDiv(WholeSecondsOf(serial), kSecondsPerDay);
}

SecondsOfDay SecondsOfDayOf(DateSerial serial) {
    return SecondsOfDay(WholeSecondsOf(serial) - DayNumberOf(serial) * kSecondsPerDay);
}

CivilDateTime ToCivil(DateSerial serial) {
    CivilDateTime civil;
    CivilFromDays(DayNumberOf(serial), civil.year, civil.month, civil.day);
    const SecondsOfDay seconds = SecondsOfDayOf(serial);
    civil.hour = seconds / kSecondsPerHour;
    civil.minute = seconds / kSecondsPerMinute % kMinutesPerHour;
    civil.second = seconds % kSecondsPerMinute;
    return civil;
}

int WeekdayOf(DateSerial serial) {
    // Serial day 0, 1899-12-30, was a Saturday.
    const std::int64_t daysAfterSunday = DayNumberOf(serial) + 6;
    return int(daysAfterSunday - FloorDiv(daysAfterSunday, 7) * 7) + 1;
}

} // namespace horvane
