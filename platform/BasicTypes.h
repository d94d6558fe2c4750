#pragma once
// The value types every room shares.

#include <cmath>
#include <cstdint>

namespace horvane {

// Days since 1899-12-30 00:00 with the time of day as the fraction; 0 means "no event".
using DateSerial = double;

// Seconds after local midnight, 0..86399 (86400 where a caller allows it).
using SecondsOfDay = std::int32_t;

// The program's 16-bit boolean: true is -1, false is 0.
using Boolean = std::int16_t;
inline constexpr Boolean True = -1;
inline constexpr Boolean False = 0;

inline Boolean ToBoolean(bool value) {
    return value ? True : False;
}

// Round to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// std::nearbyint follows the rounding mode, which the program never changes from
// round-to-nearest-even.
inline double RoundEven(double value) {
    return std::nearbyint(value);
}

inline std::int32_t RoundEvenToInt32(double value) {
    return static_cast<std::int32_t>(RoundEven(value));
}

// Int(x) of the program's formulas: the floor.
inline double Int(double value) {
    return std::floor(value);
}

} // namespace horvane
