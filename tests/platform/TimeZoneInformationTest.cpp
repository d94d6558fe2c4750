// The time-zone record of every zone in the system's zone database and of POSIX TZ strings,
// read as the clock reads it: the offset in force must be the C library's, and the name in
// force must go with it.

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

std::int64_t Instant(int month, int day, int hour, int minute) {
    return QDateTime(QDate(2026, month, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch();
}

std::string Name(const char16_t (&field)[32]) {
    return Utf16ToUtf8(std::u16string(field, std::find(field, field + 32, u'\0')));
}

} // namespace

// Each kind of TZ the C library takes: zone database names, POSIX strings with and without
// rules, and a TZ that names nothing. At each instant (winter and summer in both hemispheres,
// a minute either side of a change) the offset in force is the C library's; standard time is
// the lower offset of the year all year long and daylight saving the difference, never the
// summer offset as standard with no saving; each part keeps its name.
TEST(TimeZoneRecord, EveryKindOfTzGivesTheCLibrarysOffsetWithStandardTimeTheLowerAllYear) {
    ZoneFromEnvironment environment;
    struct Row {
        const char* zone;
        const char* standardName; // nullptr: not checked
        const char* daylightName;
    };
    const Row rows[] = {
        {"Europe/Berlin", "Central European Standard Time", "Central European Summer Time"},
        {"Europe/Dublin", "Greenwich Mean Time", "Irish Standard Time"},
        {":Australia/Sydney", nullptr, nullptr},
        {"/usr/share/zoneinfo/Asia/Tokyo", "JST", ""},
        {"EST5EDT,M3.2.0,M11.1.0", "EST", "EDT"},
        {"AEST-10AEDT,M10.1.0,M4.1.0/3", "AEST", "AEDT"},
        {"<XYZ>-5:30", "XYZ", ""},
        {"<-03>3", "-03", ""},
        {"UTC-3", "UTC", ""},
        {"UTC+3", "UTC", ""},
        {"GMT+5", "GMT", ""},
        {"Nowhere/Land", nullptr, ""},
        {"", nullptr, ""},
    };
    const std::int64_t instants[] = {
        Instant(1, 15, 12, 0),  Instant(7, 15, 12, 0), Instant(3, 8, 6, 59),  Instant(3, 8, 7, 1),
        Instant(10, 25, 0, 59), Instant(10, 25, 1, 1), Instant(4, 4, 15, 59), Instant(4, 4, 16, 1)};
    for (const Row& row : rows) {
        environment.Use(row.zone);
        const int january = LibraryOffsetMinutes(Instant(1, 15, 12, 0));
        const int july = LibraryOffsetMinutes(Instant(7, 15, 12, 0));
        const int standard = std::min(january, july);
        for (const std::int64_t instant : instants) {
            const int now = LibraryOffsetMinutes(instant);
            const std::uint32_t expected = january == july   ? TIME_ZONE_ID_UNKNOWN
                                           : now == standard ? TIME_ZONE_ID_STANDARD
                                                             : TIME_ZONE_ID_DAYLIGHT;
            TimeZoneInformation info{};
            const std::uint32_t result = GetTimeZoneInformationAt(info, instant);
            const std::int32_t inForce = result == TIME_ZONE_ID_DAYLIGHT ? info.DaylightBias : 0;
            EXPECT_EQ(
                std::make_tuple(result, -(info.Bias + info.StandardBias + inForce), info.Bias,
                                info.StandardBias, info.DaylightBias),
                std::make_tuple(expected, now, -standard, 0, -(std::max(january, july) - standard)))
                << "\"" << row.zone << "\" at " << instant
                << " (result, offset in force, bias, standard bias, daylight bias)";
            if (row.standardName) {
                EXPECT_EQ(Name(info.StandardName), row.standardName) << row.zone;
            }
            if (row.daylightName) {
                EXPECT_EQ(Name(info.DaylightName), row.daylightName) << row.zone;
            }
        }
    }
}

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
