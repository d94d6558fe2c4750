#pragma once
// The local time zone's name and offset from universal time.

#include "platform/TimeZoneInformation.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace horvane {

struct ZoneReading {
    std::string ZoneName;              // UTF-8
    std::int32_t UtcOffsetMinutes = 0; // local time minus UTC
};

// Reads the system's zone now; the offset includes daylight saving when it is in force.
ZoneReading ReadTimeZone(const TimeZoneSource& source = GetTimeZoneInformation);

// The part before the first NUL, or the whole text when it has none.
std::u16string TrimAtNul(std::u16string_view text);

// "+05:30", "-08:00", "+00:00".
std::string UtcOffsetText(std::int32_t minutes);

} // namespace horvane
