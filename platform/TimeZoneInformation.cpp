#include "platform/TimeZoneInformation.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>
#include <optional>

namespace horvane {
namespace {

// The largest offset from UTC that the record holds, in minutes: one minute short of a
// day, so that the offset and its text as a time of day always agree.
constexpr int kMaxOffsetMinutes = 1439;
constexpr int kSecondsPerMinute = 60;

void CopyName(const QString& name, char16_t (&field)[32]) {
    const qsizetype units = std::min<qsizetype>(name.size(), 32);
    std::copy_n(reinterpret_cast<const char16_t*>(name.utf16()), units, field);
}

int OffsetMinutes(int offsetSeconds) {
    return std::clamp(offsetSeconds / kSecondsPerMinute, -kMaxOffsetMinutes, kMaxOffsetMinutes);
}

// The offset, in seconds, of the other part of the year: the first change in the year of
// the instant into or out of daylight saving, whichever way the zone database counts
// it. None when the zone keeps one part all year.
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

} // namespace

// Windows counts the lower of a zone's two offsets as standard time, whichever of them the
// zone database marks as daylight saving (Ireland marks winter, Morocco the weeks of
// Ramadan), and names each part by that count.
std::uint32_t GetTimeZoneInformationAt(TimeZoneInformation& info, std::int64_t unixSeconds) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        return TIME_ZONE_ID_INVALID;
    const QDateTime at = QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);
    const int now = zone.offsetFromUtc(at);
    const std::optional<int> other = OtherOffsetInYear(zone, at);

    info.StandardBias = 0;
    CopyName(zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName), info.StandardName);
    if (!other || *other == now) {
        info.Bias = -OffsetMinutes(now);
        return TIME_ZONE_ID_UNKNOWN;
    }
    const int standard = OffsetMinutes(std::min(now, *other));
    const int daylight = OffsetMinutes(std::max(now, *other));
    info.Bias = -standard;
    info.DaylightBias = -(daylight - standard);
    CopyName(zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName), info.DaylightName);
    return now > *other ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

std::uint32_t GetTimeZoneInformation(TimeZoneInformation& info) {
    return GetTimeZoneInformationAt(info, QDateTime::currentSecsSinceEpoch());
}

} // namespace horvane
