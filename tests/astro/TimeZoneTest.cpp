#include "astro/TimeZone.h"

#include <gtest/gtest.h>
#include <string>

using namespace horvane;

namespace {

void SetName(char16_t (&field)[32], std::u16string_view name) {
    std::copy(name.begin(), name.end(), field);
}

// A source that fills the record like the system would, answering with the given result;
// the reading as its name and offset in minutes.
std::string ReadFakeZone(std::uint32_t result, std::int32_t bias, std::int32_t daylightBias) {
    const ZoneReading zone = ReadTimeZone([=](TimeZoneInformation& info) {
        info.Bias = bias;
        info.DaylightBias = daylightBias;
        SetName(info.StandardName, u"Central European Standard Time");
        SetName(info.DaylightName, u"Central European Summer Time");
        return result;
    });
    return zone.ZoneName + " " + std::to_string(zone.UtcOffsetMinutes);
}

} // namespace

// Without daylight saving the name is UTC and the offset; a failed call leaves the record zero.
TEST(ReadTimeZone, EachResultPicksItsNameAndOffset) {
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_STANDARD, -60, -60), "Central European Standard Time 60");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_DAYLIGHT, -60, -60), "Central European Summer Time 120");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_UNKNOWN, -330, 0), "UTC+05:30 330");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_INVALID, 0, 0), "UTC+00:00 0");
}

TEST(ReadTimeZone, NameFillingAllThirtyTwoUnitsIsUsedWhole) {
    const std::u16string full = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00e9tudes";
    ASSERT_EQ(full.size(), 32u);
    const ZoneReading zone = ReadTimeZone([&](TimeZoneInformation& info) {
        SetName(info.StandardName, full);
        info.DaylightName[0] = u'x'; // the field after it must not leak in
        return TIME_ZONE_ID_STANDARD;
    });
    EXPECT_EQ(zone.ZoneName, "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc3\xa9tudes");
}

TEST(TrimAtNul, CutsAtTheFirstNul) {
    EXPECT_EQ(TrimAtNul(std::u16string_view(u"abc\0def", 7)), u"abc");
    EXPECT_EQ(TrimAtNul(std::u16string_view(u"\0abc", 4)), u"");
}

TEST(UtcOffsetText, SignHoursAndMinutes) {
    EXPECT_EQ(UtcOffsetText(-210), "-03:30");
    EXPECT_EQ(UtcOffsetText(345), "+05:45");
}
