// Reads the real zone named by TZ; CTest runs each case with its TZ set.
#include "astro/TimeZone.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

ZoneReading ReadZoneAt(int year, int month, int day) {
    const std::int64_t instant =
        QDateTime(QDate(year, month, day), QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
    return ReadTimeZone(
        [instant](TimeZoneInformation& info) { return GetTimeZoneInformationAt(info, instant); });
}

} // namespace

TEST(SystemTimeZone, ChicagoInDecemberIsCentralStandardTime) {
    const ZoneReading zone = ReadZoneAt(2026, 12, 4);
    EXPECT_EQ(zone.UtcOffsetMinutes, -360);
    EXPECT_EQ(zone.ZoneName, "Central Standard Time");
}

TEST(SystemTimeZone, ChicagoInJulyKeepsDaylightTime) {
    const ZoneReading zone = ReadZoneAt(2026, 7, 4);
    EXPECT_EQ(zone.UtcOffsetMinutes, -300);
    EXPECT_EQ(zone.ZoneName, "Central Daylight Time");
}

TEST(SystemTimeZone, KolkataHasNoDaylightSaving) {
    const ZoneReading zone = ReadZoneAt(2026, 12, 4);
    EXPECT_EQ(zone.UtcOffsetMinutes, 330);
    EXPECT_EQ(zone.ZoneName, "UTC+05:30");
}
