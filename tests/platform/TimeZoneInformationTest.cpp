// The time-zone record of every zone in the system's zone database, read as the clock
// reads it: the name in force must go with the offset in force.

#include "platform/TimeZoneInformation.h"
#include "platform/Utf8.h"

#include <QDateTime>
#include <QTimeZone>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <regex>
#include <string>

using namespace horvane;

namespace {

const std::filesystem::path kZoneDatabase = "/usr/share/zoneinfo";

// Sets TZ for the test's length, and puts back what was there.
class ZoneFromEnvironment {
public:
    ~ZoneFromEnvironment() { Use(saved_); }
    void Use(const std::optional<std::string>& zone) {
        zone ? setenv("TZ", zone->c_str(), 1) : unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> saved_ =
        std::getenv("TZ") ? std::optional<std::string>(std::getenv("TZ")) : std::nullopt;
};

struct InForce {
    std::uint32_t result;
    std::string name;
    int offsetMinutes;
    std::int32_t daylightBias;
};

InForce ReadInForce(std::int64_t instant) {
    TimeZoneInformation info{};
    const std::uint32_t result = GetTimeZoneInformationAt(info, instant);
    const bool daylight = result == TIME_ZONE_ID_DAYLIGHT;
    const char16_t(&field)[32] = daylight ? info.DaylightName : info.StandardName;
    std::u16string name(field, 32);
    name.resize(name.find(u'\0') == std::u16string::npos ? 32 : name.find(u'\0'));
    return {result, Utf16ToUtf8(name),
            -(info.Bias + (daylight ? info.DaylightBias : info.StandardBias)), info.DaylightBias};
}

// The C library's own reading of the zone database: the offset at an instant, minutes.
int LibraryOffsetMinutes(std::int64_t instant) {
    const std::time_t time = instant;
    std::tm local{};
    localtime_r(&time, &local);
    return int(local.tm_gmtoff / 60);
}

// The offset that a name spells out ("GMT", "GMT+01:00", "UTC-03:30"), if it spells one.
std::optional<int> OffsetSpelledIn(const std::string& name) {
    if (name == "Greenwich Mean Time" || name == "GMT" || name == "UTC" ||
        name == "Coordinated Universal Time")
        return 0;
    static const std::regex spelled("^(?:GMT|UTC)([+-])(\\d\\d):(\\d\\d)$");
    std::smatch match;
    if (!std::regex_match(name, match, spelled))
        return std::nullopt;
    const int minutes = std::stoi(match[2]) * 60 + std::stoi(match[3]);
    return match[1] == "-" ? -minutes : minutes;
}

} // namespace

TEST(TimeZoneRecord, EveryZoneNamesThePeriodInForceWithTheLowerOffsetAsStandard) {
    ZoneFromEnvironment environment;
    const QDate instants[] = {{2026, 1, 15}, {2026, 3, 1},   {2026, 4, 15},
                              {2026, 7, 15}, {2026, 10, 15}, {2026, 12, 15}};
    int zones = 0;
    for (const QByteArray& id : QTimeZone::availableTimeZoneIds()) {
        if (!std::filesystem::exists(kZoneDatabase / id.toStdString()))
            continue; // one of Qt's own offset names, not a zone of the database
        environment.Use(id.toStdString());
        ++zones;
        std::map<std::string, int> offsetOfName;
        for (const QDate& date : instants) {
            const std::int64_t instant = QDateTime(date, QTime(12, 0), Qt::UTC).toSecsSinceEpoch();
            const InForce zone = ReadInForce(instant);
            const std::string where =
                id.toStdString() + " " + date.toString().toStdString() + " \"" + zone.name + "\"";
            ASSERT_NE(zone.result, TIME_ZONE_ID_INVALID) << where;
            EXPECT_EQ(zone.offsetMinutes, LibraryOffsetMinutes(instant)) << where;
            EXPECT_LE(zone.daylightBias, 0) << where; // daylight is the higher offset
            if (const std::optional<int> spelled = OffsetSpelledIn(zone.name)) {
                EXPECT_EQ(*spelled, zone.offsetMinutes) << where;
            }
            const auto [known, added] = offsetOfName.emplace(zone.name, zone.offsetMinutes);
            EXPECT_EQ(known->second, zone.offsetMinutes) << where << " also named another offset";
        }
    }
    EXPECT_GT(zones, 300);
}

// Offsets of a day or more cannot be a time of day: the record holds them at the last
// minute before a whole day, east or west.
TEST(TimeZoneRecord, OffsetsBeyondADayAreHeldAtTheLastMinute) {
    ZoneFromEnvironment environment;
    const std::pair<const char*, int> table[] = {
        {"XXX-99:59", 1439}, {"XXX+99:59", -1439}, {"XXX-23:59", 1439}, {"XXX+05:30", -330}};
    for (const auto& [zone, minutes] : table) {
        environment.Use(zone);
        EXPECT_EQ(ReadInForce(0).offsetMinutes, minutes) << zone;
    }
}
