#include "astro/TimeZone.h"

#include <gtest/gtest.h>

using namespace horvane;

namespace {

void SetName(char16_t (&field)[32], std::u16string_view name) {
    std::copy(name.begin(), name.end(), field);
}

// A source that fills the record like the system would, answering with the given result.
TimeZoneSource FakeZone(std::uint32_t result, std::int32_t bias, std::int32_t daylightBias) {
    return [=](TimeZoneInformation& info) {
        info.Bias = bias;
        info.DaylightBias = daylightBias;
        SetName(info.StandardName, u"Central European Standard Time");
        SetName(info.DaylightName, u"Central European Summer Time");
        return result;
    };
}

} // namespace

TEST(ReadTimeZone, StandardTimeUsesTheStandardName) {
    const ZoneReading zone = ReadTimeZone(FakeZone(TIME_ZONE_ID_STANDARD, -60, -60));
    EXPECT_EQ(zone.ZoneName, "Central European Standard Time");
    EXPECT_EQ(zone.UtcOffsetMinutes, 60);
}

TEST(ReadTimeZone, DaylightTimeAddsTheDaylightBias) {
    const ZoneReading zone = ReadTimeZone(FakeZone(TIME_ZONE_ID_DAYLIGHT, -60, -60));
    EXPECT_EQ(zone.ZoneName, "Central European Summer Time");
    EXPECT_EQ(zone.UtcOffsetMinutes, 120);
}

TEST(ReadTimeZone, ZoneWithoutDaylightSavingShowsUtcAndOffset) {
    const ZoneReading zone = ReadTimeZone(FakeZone(TIME_ZONE_ID_UNKNOWN, -330, 0));
    EXPECT_EQ(zone.ZoneName, "UTC+05:30");
    EXPECT_EQ(zone.UtcOffsetMinutes, 330);
}

TEST(ReadTimeZone, FailedCallGivesUtcWithZeroOffset) {
    const ZoneReading zone =
        ReadTimeZone([](TimeZoneInformation&) { return TIME_ZONE_ID_INVALID; });
    EXPECT_EQ(zone.ZoneName, "UTC+00:00");
    EXPECT_EQ(zone.UtcOffsetMinutes, 0);
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
    EXPECT_EQ(TrimAtNul(u"abc"), u"abc");
    EXPECT_EQ(TrimAtNul(std::u16string_view(u"\0abc", 4)), u"");
}

TEST(UtcOffsetText, SignHoursAndMinutes) {
    EXPECT_EQ(UtcOffsetText(-210), "-03:30");
    EXPECT_EQ(UtcOffsetText(0), "+00:00");
    EXPECT_EQ(UtcOffsetText(345), "+05:45");
    EXPECT_EQ(UtcOffsetText(330), "+05:30");
    EXPECT_EQ(UtcOffsetText(-480), "-08:00");
    EXPECT_EQ(UtcOffsetText(840), "+14:00");
}
