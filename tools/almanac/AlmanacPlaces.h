#pragma once
// The almanac's places by name, from the gazetteer: --place and --places.

#include "gazetteer/Gazetteer.h"
#include "tools/almanac/AlmanacPlace.h"

#include <string>

namespace horvane {

// The gazetteer's best match for the name, named on the report's first line as a stored
// location is. Several matches of a size (Springfield) are listed, the first ten with their
// regions and coordinates, with exit code 2, as is a name that matches nothing. Without a
// usable gazetteer (null), exit code 1.
PlaceLookup PlaceByName(const Gazetteer* gazetteer, const std::string& name);

// Every match, best first: one row a line ("Zürich, Zurich, CH — 47.37N 8.55E"), or a JSON
// array of objects with the place's fields.
std::string PlacesText(const Gazetteer& gazetteer, const std::vector<PlaceMatch>& matches);
std::string PlacesJson(const Gazetteer& gazetteer, const std::vector<PlaceMatch>& matches);

} // namespace horvane
