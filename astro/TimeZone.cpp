#include "astro/TimeZone.h"

#include "astro/DateText.h"
#include "astro/TimeUnits.h"
#include "platform/Utf8.h"

#include <cstdlib>

namespace horvane {
namespace {

std::string NameField(const char16_t (&field)[32]) {
    return Utf16ToUtf8(TrimAtNul(std::u16string_view(field, 32)));
}

} // namespace

std::u16string TrimAtNul(std::u16string_view text) {
    return std::u16string(text.substr(0, text.find(u'\0')));
}

std::string UtcOffsetText(std::int32_t minutes) {
    const bool negative = minutes < 0;
    const std::int64_t magnitude = std::abs(std::int64_t(minutes));
    // As a time of day: whole days fall away.
    const int hours = int(magnitude / kMinutesPerHour % kHoursPerDay);
    std::string text(1, negative ? '-' : '+');
    return text + FormatHoursMinutes(hours, int(magnitude % kMinutesPerHour));
}

ZoneReading ReadTimeZone(const TimeZoneSource& source) {
    TimeZoneInformation info{};
    const std::uint32_t result = source(info);
    ZoneReading reading;
    if (result == TIME_ZONE_ID_STANDARD) {
        reading.ZoneName = NameField(info.StandardName);
        reading.UtcOffsetMinutes = -(info.Bias + info.StandardBias);
    } else if (result == TIME_ZONE_ID_DAYLIGHT) {
        reading.ZoneName = NameField(info.DaylightName);
        reading.UtcOffsetMinutes = -(info.Bias + info.DaylightBias);
    } else {
        reading.UtcOffsetMinutes = -(info.Bias + info.StandardBias);
        reading.ZoneName = "UTC" + UtcOffsetText(reading.UtcOffsetMinutes);
    }
    return reading;
}

} // namespace horvane
