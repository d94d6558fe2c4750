#pragma once
// The lengths of the clock's units of time, each in the smaller unit.

#include <cstdint>

namespace horvane {

inline constexpr std::int32_t kSecondsPerMinute = 60;
inline constexpr std::int32_t kMinutesPerHour = 60;
inline constexpr std::int32_t kSecondsPerHour = 3600;
inline constexpr std::int32_t kSecondsPerDay = 86400;
inline constexpr std::int32_t kSecondsPerWeek = 7 * kSecondsPerDay;
inline constexpr std::int32_t kMinutesPerDay = 1440;
inline constexpr std::int32_t kHoursPerDay = 24;

} // namespace horvane
