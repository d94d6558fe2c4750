// The time-zone record of every zone in the system's zone database, read as the clock
// reads it: the name in force must go with the offset in force.

#include "platform/TimeZoneInformation.h"
#include "platform/Utf8.h"

#include <QDateTime>
#include <QTimeZone>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>

using namespace horvane;

namespace {

// Sets TZ for the test's length; the tests run without it.
struct ZoneFromEnvironment {
    ~ZoneFromEnvironment() { Use(nullptr); }
    static void Use(const char* zone) {
        zone ? setenv("TZ", zone, 1) : unsetenv("TZ");
        tzset();
    }
};

// The offset in force at instant (minutes east of UTC), the name of the period in force, and
// whether daylight time has the higher offset.
std::tuple<int, std::string, bool> ReadInForce(std::int64_t instant) {
    TimeZoneInformation info{};
    const std::uint32_t result = GetTimeZoneInformationAt(info, instant);
    EXPECT_NE(result, TIME_ZONE_ID_INVALID);
    const bool daylight = result == TIME_ZONE_ID_DAYLIGHT;
    const char16_t* name = daylight ? info.DaylightName : info.StandardName;
    return {-(info.Bias + (daylight ? info.DaylightBias : info.StandardBias)),
            Utf16ToUtf8(std::u16string(name, std::find(name, name + 32, u'\0'))),
            info.DaylightBias <= 0};
}

// The C library's own reading of the zone database: the offset at an instant, minutes.
int LibraryOffsetMinutes(std::time_t instant) {
    std::tm local{};
    return int(localtime_r(&instant, &local)->tm_gmtoff / 60);
}

} // namespace

// Daylight time is never the lower offset, and one name never goes with two offsets. (Whether
// a name such as "GMT+01:00" spells its offset right is the zone data's affair.)
TEST(TimeZoneRecord, EveryZoneNamesThePeriodInForceWithTheLowerOffsetAsStandard) {
    ZoneFromEnvironment environment;
    int zones = 0;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        if (!std::filesystem::exists("/usr/share/zoneinfo/" + id.toStdString()))
            continue; // one of Qt's own offset names, not a zone of the database
        environment.Use(id.constData());
        ++zones;
        std::map<std::string, int> offsetOfName;
        for (const QDate date : {QDate(2026, 1, 15), QDate(2026, 3, 1), QDate(2026, 4, 15),
                                 QDate(2026, 7, 15), QDate(2026, 10, 15), QDate(2026, 12, 15)}) {
            const std::int64_t instant = QDateTime(date, QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
            const auto [offset, name, daylightHigher] = ReadInForce(instant);
            EXPECT_EQ(std::make_tuple(offset, daylightHigher,
                                      offsetOfName.emplace(name, offset).first->second),
                      std::make_tuple(LibraryOffsetMinutes(instant), true, offset))
                << id.toStdString() << " " << date.toString().toStdString() << " \"" << name
                << "\" (offset, daylight higher, offset of the name before)";
        }
    }
    EXPECT_GT(zones, 300);
}

// Offsets of a day or more cannot be a time of day: the record holds them at the last
// minute before a whole day, east or west.
TEST(TimeZoneRecord, OffsetsBeyondADayAreHeldAtTheLastMinute) {
    ZoneFromEnvironment environment;
    for (const auto& [zone, minutes] :
         {std::pair{"XXX-99:59", 1439}, std::pair{"XXX+99:59", -1439}, std::pair{"XXX-23:59", 1439},
          std::pair{"XXX+05:30", -330}}) {
        environment.Use(zone);
        EXPECT_EQ(std::get<int>(ReadInForce(0)), minutes) << zone;
    }
}
