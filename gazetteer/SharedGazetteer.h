#pragma once
// The program's one gazetteer, read from the installed places file when first asked for.

#include "gazetteer/Gazetteer.h"

#include <filesystem>

namespace horvane {

// Where the places file is: $HORVANE_PLACES when set, else share/horvane/places.bin beside
// the program's bin/ folder, else the first horvane/places.bin of the data folders
// ($XDG_DATA_DIRS). The first of these that is set or exists.
std::filesystem::path PlacesFilePath();

// The gazetteer, read at the first call. Null when the file cannot be used: the first call
// then says why on standard error, once, and the program goes on without it.
const Gazetteer* SharedGazetteer();

} // namespace horvane
