#pragma once
// Coordinate texts such as "43.089N" or "87.888W", read into signed degrees.

#include <string_view>

namespace horvane {

// A decimal number with an optional last letter N or S (any case). Stores the value,
// north positive, and answers true when it lies in -90..90; otherwise answers false
// and leaves latitude as it was.
bool ParseLatitude(std::string_view text, double& latitude);

// The same with the letters E and W and the range -180..180, east positive.
bool ParseLongitude(std::string_view text, double& longitude);

} // namespace horvane
