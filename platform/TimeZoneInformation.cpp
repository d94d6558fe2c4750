#include "platform/TimeZoneInformation.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <ctime>
#include <optional>

namespace horvane {
namespace {

// The largest offset from UTC that the record holds, in minutes: one minute short of a
// day, so that the offset and its text as a time of day always agree.
constexpr int kMaxOffsetMinutes = 1439;
constexpr int kSecondsPerMinute = 60;
constexpr std::int64_t kSecondsPerDay = 86400;

// What the C library's clock says at one instant: the offset from UTC in seconds, whether
// it counts the instant as daylight saving, and its abbreviation for the period.
struct LocalPeriod {
    int offsetSeconds = 0;
    bool daylight = false;
    QString abbreviation;
};

LocalPeriod ReadLocalPeriod(std::int64_t unixSeconds) {
    const std::time_t instant = std::time_t(unixSeconds);
    std::tm local{};
    if (!localtime_r(&instant, &local))
        return {};
    return {int(local.tm_gmtoff), local.tm_isdst > 0,
            QString::fromLocal8Bit(local.tm_zone ? local.tm_zone : "")};
}

// The period of the other part of the year: the first day of the instant's year, taken at
// the instant's time of day, on which the C library counts daylight saving the other way.
// None when the zone keeps one part all year.
std::optional<LocalPeriod> OtherPeriodInYear(std::int64_t unixSeconds, const LocalPeriod& now) {
    const QDateTime at = QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
    const QDateTime first(QDate(at.date().year(), 1, 1), at.time(), Qt::UTC);
    const int days = at.date().daysInYear();
    for (int day = 0; day < days; ++day) {
        const LocalPeriod period = ReadLocalPeriod(first.toSecsSinceEpoch() + day * kSecondsPerDay);
        if (period.daylight != now.daylight)
            return period;
    }
    return std::nullopt;
}

// The offset, in seconds, of the other part of the year in the zone database's own
// reading: the first change in the year of the instant into or out of daylight saving.
std::optional<int> OtherOffsetInYear(const QTimeZone& zone, const QDateTime& at) {
    const bool daylightNow = zone.isDaylightTime(at);
    const int year = at.date().year();
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& transition : zone.transitions(yearStart, yearEnd)) {
        if ((transition.daylightTimeOffset != 0) != daylightNow)
            return transition.offsetFromUtc;
    }
    return std::nullopt;
}

// Qt's zone of the same TZ, when it reads the year as the C library does: its names are the
// zone's long ones. Qt reads some POSIX strings its own way ("UTC-3" as three hours west),
// and then only the C library's abbreviations can be trusted.
std::optional<QTimeZone> AgreeingQtZone(std::int64_t unixSeconds, const LocalPeriod& now,
                                        const std::optional<LocalPeriod>& other) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        return std::nullopt;
    const QDateTime at = QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
    const std::optional<int> qtOther = OtherOffsetInYear(zone, at);
    const bool sameOther = other ? qtOther == other->offsetSeconds : !qtOther.has_value();
    if (zone.offsetFromUtc(at) != now.offsetSeconds || !sameOther)
        return std::nullopt;
    return zone;
}

void CopyName(const QString& name, char16_t (&field)[32]) {
    const qsizetype units = std::min<qsizetype>(name.size(), 32);
    std::copy_n(reinterpret_cast<const char16_t*>(name.utf16()), units, field);
}

int OffsetMinutes(int offsetSeconds) {
    return std::clamp(offsetSeconds / kSecondsPerMinute, -kMaxOffsetMinutes, kMaxOffsetMinutes);
}

} // namespace

// The offsets are the C library's, the clock every other program of the system tells the
// time by, for every TZ it takes: a zone database name, a POSIX string, or a TZ that names
// nothing (then UTC).
//
// Windows counts the lower of a zone's two offsets as standard time, whichever of them the
// zone database marks as daylight saving (Ireland marks winter, Morocco the weeks of
// Ramadan), and names each part by that count.
std::uint32_t GetTimeZoneInformationAt(TimeZoneInformation& info, std::int64_t unixSeconds) {
    tzset(); // the zone may have changed since the last reading
    const LocalPeriod now = ReadLocalPeriod(unixSeconds);
    std::optional<LocalPeriod> other = OtherPeriodInYear(unixSeconds, now);
    if (other && other->offsetSeconds == now.offsetSeconds)
        other.reset();
    const std::optional<QTimeZone> zone = AgreeingQtZone(unixSeconds, now, other);

    info.StandardBias = 0;
    if (!other) {
        info.Bias = -OffsetMinutes(now.offsetSeconds);
        CopyName(zone ? zone->displayName(QTimeZone::StandardTime, QTimeZone::LongName)
                      : now.abbreviation,
                 info.StandardName);
        return TIME_ZONE_ID_UNKNOWN;
    }
    const bool daylightNow = now.offsetSeconds > other->offsetSeconds;
    const LocalPeriod& standard = daylightNow ? *other : now;
    const LocalPeriod& daylight = daylightNow ? now : *other;
    info.Bias = -OffsetMinutes(standard.offsetSeconds);
    info.DaylightBias =
        -(OffsetMinutes(daylight.offsetSeconds) - OffsetMinutes(standard.offsetSeconds));
    CopyName(zone ? zone->displayName(QTimeZone::StandardTime, QTimeZone::LongName)
                  : standard.abbreviation,
             info.StandardName);
    CopyName(zone ? zone->displayName(QTimeZone::DaylightTime, QTimeZone::LongName)
                  : daylight.abbreviation,
             info.DaylightName);
    return daylightNow ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

std::uint32_t GetTimeZoneInformation(TimeZoneInformation& info) {
    return GetTimeZoneInformationAt(info, QDateTime::currentSecsSinceEpoch());
}

} // namespace horvane
