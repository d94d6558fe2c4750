#pragma once
// The places written to the registry on the first run.

#include <array>

namespace horvane {

struct DefaultLocation {
    const char* name;
    const char* latitude;
    const char* longitude;
};

inline constexpr std::array<DefaultLocation, 23> kDefaultLocations{{
    {"Barrow, Alaska, US", "71.291N", "156.789W"},
    {"Buenos Aires, Argentina", "34.613S", "58.470W"},
    {"Byrd Station, Antarctica", "80.017S", "119.533W"},
    {"Cape Town, South Africa", "33.917S", "18.417E"},
    {"Chicago, US", "41.850N", "87.650W"},
    {"Ciudad de México, México", "19.400N", "99.150W"},
    {"Gallup, New Mexico, US", "35.528N", "108.742W"},
    {"Helsinki, Finland", "60.600N", "21.433E"},
    {"Hong Kong, China", "22.283N", "114.150E"},
    {"Honolulu, US", "21.307N", "157.858W"},
    {"Jakarta, Indonesia", "6.167S", "106.800E"},
    {"Kabol, Afghanistan", "34.517N", "69.183E"},
    {"Lagos, Nigeria", "6.453N", "3.396E"},
    {"London, UK", "51.517N", ".105W"},
    {"Los Angeles, US", "34.052N", "118.243W"},
    {"Moskva, Russia", "55.750N", "37.583E"},
    {"Mumbai, India", "18.967N", "72.833E"},
    {"New York City, US", "40.714N", "74.006W"},
    {"Novosibirsk, Russia", "55.033N", "82.917E"},
    {"Shorewood, Wisconsin, US", "43.089N", "87.888W"},
    {"Sydney, Australia", "33.883S", "151.217E"},
    {"Tahiti, Frensh Polynesia", "17.533S", "149.567W"},
    {"Tokyo, Japan", "35.700N", "139.767E"},
}};

// The current location of a first run (row 20), shown with all six hands; also the place the
// almanac reports on when the store holds no settings yet.
inline constexpr DefaultLocation kDefaultLocation = kDefaultLocations[19];
inline constexpr const char* kDefaultLocationName = kDefaultLocation.name;
// The time zone the default place lies in: a first run there keeps the default place.
inline constexpr const char* kDefaultLocationZone = "America/Chicago";

} // namespace horvane
