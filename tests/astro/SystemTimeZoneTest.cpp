// Reads the real zone named by TZ; CTest runs each case with its TZ set.
#include "astro/TimeZone.h"

#include <QDateTime>
#include <gtest/gtest.h>
#include <string>

using namespace horvane;

namespace {

// The zone's name and offset in minutes at noon UTC of the day.
std::string ZoneAt(int year, int month, int day) {
    const std::int64_t instant =
        QDateTime(QDate(year, month, day), QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
    const ZoneReading zone = ReadTimeZone(
        [instant](TimeZoneInformation& info) { return GetTimeZoneInformationAt(info, instant); });
    return zone.ZoneName + " " + std::to_string(zone.UtcOffsetMinutes);
}

} // namespace

TEST(SystemTimeZone, ChicagoNamesStandardAndDaylightTime) {
    EXPECT_EQ(ZoneAt(2026, 12, 4), "Central Standard Time -360");
    EXPECT_EQ(ZoneAt(2026, 7, 4), "Central Daylight Time -300");
}

TEST(SystemTimeZone, KolkataHasNoDaylightSaving) {
    EXPECT_EQ(ZoneAt(2026, 12, 4), "UTC+05:30 330");
}
