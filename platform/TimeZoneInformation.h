#pragma once
// The time-zone record of the system, filled the way GetTimeZoneInformation fills it.

#include <cstdint>
#include <functional>

namespace horvane {

struct TimeZoneInformation {
    std::int32_t Bias = 0;          // minutes, UTC minus standard local time
    char16_t StandardName[32] = {}; // NUL-padded UTF-16
    std::int32_t StandardBias = 0;
    char16_t DaylightName[32] = {};
    std::int32_t DaylightBias = 0; // minus the daylight-saving amount, minutes
};

inline constexpr std::uint32_t TIME_ZONE_ID_UNKNOWN = 0; // the zone has no daylight saving
inline constexpr std::uint32_t TIME_ZONE_ID_STANDARD = 1;
inline constexpr std::uint32_t TIME_ZONE_ID_DAYLIGHT = 2;
inline constexpr std::uint32_t TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

// Fills the record for the system's zone (honouring TZ) at the given instant and
// answers which part of the year is in force. The record is expected zero-filled.
std::uint32_t GetTimeZoneInformationAt(TimeZoneInformation& info, std::int64_t unixSeconds);

// The same at the current instant.
std::uint32_t GetTimeZoneInformation(TimeZoneInformation& info);

// Where ReadTimeZone gets its record from; tests replace it.
using TimeZoneSource = std::function<std::uint32_t(TimeZoneInformation&)>;

} // namespace horvane
