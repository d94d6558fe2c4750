#pragma once
// The credit the places file's licence asks for, as the programs print it.

namespace horvane {

inline constexpr const char* kPlacesAttribution =
    "Town and city data: GeoNames (https://www.geonames.org/), licensed under\n"
    "CC BY 4.0 (https://creativecommons.org/licenses/by/4.0/); converted to the program's\n"
    "places file.\n";

} // namespace horvane
