#pragma once
// How gazetteer places are written: as stored locations and as rows of a list.

#include "gazetteer/Gazetteer.h"

#include <string>

namespace horvane {

// "Zürich, Zurich, CH": the name, the region where the file has one, the country code.
std::string StoredPlaceName(const GazetteerPlace& place);

// "47.370N" and "8.550E": coordinate texts to the third decimal, as the store keeps them.
std::string LatitudeText(double latitude);
std::string LongitudeText(double longitude);

// "Zürich, Zurich, CH — 47.37N 8.55E".
std::string PlaceRowText(const GazetteerPlace& place);

} // namespace horvane
