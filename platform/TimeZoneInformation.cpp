#include "platform/TimeZoneInformation.h"

#include <QDateTime>
#include <QTimeZone>
#include <algorithm>

namespace horvane {
namespace {

void CopyName(const QString& name, char16_t (&field)[32]) {
    const qsizetype units = std::min<qsizetype>(name.size(), 32);
    std::copy_n(reinterpret_cast<const char16_t*>(name.utf16()), units, field);
}

// The daylight-saving amount in seconds used by the zone in the year of the instant,
// or 0 when it keeps standard time all year.
int DaylightAmountInYear(const QTimeZone& zone, const QDateTime& at) {
    if (zone.isDaylightTime(at))
        return zone.daylightTimeOffset(at);
    const int year = at.date().year();
    const QDateTime yearStart(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime yearEnd(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& transition : zone.transitions(yearStart, yearEnd)) {
        if (transition.daylightTimeOffset != 0)
            return transition.daylightTimeOffset;
    }
    return 0;
}

} // namespace

std::uint32_t GetTimeZoneInformationAt(TimeZoneInformation& info, std::int64_t unixSeconds) {
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!zone.isValid())
        return TIME_ZONE_ID_INVALID;
    const QDateTime at = QDateTime::fromSecsSinceEpoch(unixSeconds, Qt::UTC);

    info.Bias = -zone.standardTimeOffset(at) / 60;
    info.StandardBias = 0;
    CopyName(zone.displayName(QTimeZone::StandardTime, QTimeZone::LongName), info.StandardName);
    const int daylightAmount = DaylightAmountInYear(zone, at);
    if (daylightAmount == 0)
        return TIME_ZONE_ID_UNKNOWN;
    info.DaylightBias = -daylightAmount / 60;
    CopyName(zone.displayName(QTimeZone::DaylightTime, QTimeZone::LongName), info.DaylightName);
    return zone.isDaylightTime(at) ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

std::uint32_t GetTimeZoneInformation(TimeZoneInformation& info) {
    return GetTimeZoneInformationAt(info, QDateTime::currentSecsSinceEpoch());
}

} // namespace horvane
