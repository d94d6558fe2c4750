#pragma once
// Which place the almanac reports on: coordinates given on the command line, a stored
// location, a town found by name, the clock's current location, or the default place.

#include "tools/almanac/AlmanacOptions.h"

#include <string>

namespace horvane {

struct AlmanacPlace {
    std::string name; // the place as the user knows it: a location name or its coordinates
    double latitude = 0;
    double longitude = 0;
};

struct PlaceLookup {
    AlmanacPlace place;
    std::string error; // empty when the place was found
    int exitCode = 0;  // with an error: 2 for a bad place, 1 for a store that cannot be read
};

// Reads the store but never writes it.
PlaceLookup ResolveAlmanacPlace(const AlmanacOptions& options);

} // namespace horvane
