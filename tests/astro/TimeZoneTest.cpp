#include "astro/TimeZone.h"

#include <gtest/gtest.h>
#include <string>

using namespace horvane;

namespace {

// A source that fills the record like the system would, answering with the given result; the
// reading as its name and offset in minutes.
std::string ReadFakeZone(std::uint32_t result, std::int32_t bias, std::int32_t daylightBias,
                         std::u16string_view standardName = u"Central European Standard Time") {
    const ZoneReading zone = ReadTimeZone([=](TimeZoneInformation& info) {
        info.Bias = bias;
        info.DaylightBias = daylightBias;
        std::copy(standardName.begin(), standardName.end(), info.StandardName);
        const std::u16string_view daylightName = u"Central European Summer Time";
        std::copy(daylightName.begin(), daylightName.end(), info.DaylightName);
        return result;
    });
    return zone.ZoneName + " " + std::to_string(zone.UtcOffsetMinutes);
}

} // namespace

// Without daylight saving the name is UTC and the offset; a failed call leaves the record zero.
// A name may fill all 32 units of its field, and the field after it must not leak in.
TEST(ReadTimeZone, EachResultPicksItsNameAndOffset) {
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_STANDARD, -60, -60), "Central European Standard Time 60");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_DAYLIGHT, -60, -60), "Central European Summer Time 120");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_UNKNOWN, -330, 0), "UTC+05:30 330");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_UNKNOWN, 210, 0), "UTC-03:30 -210");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_INVALID, 0, 0), "UTC+00:00 0");
    EXPECT_EQ(ReadFakeZone(TIME_ZONE_ID_STANDARD, 0, 0, u"ABCDEFGHIJKLMNOPQRSTUVWXYZ\u00e9tudes"),
              "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xc3\xa9tudes 0");
}
