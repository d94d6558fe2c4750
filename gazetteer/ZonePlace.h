#pragma once
// The place a time zone of the zone database is named after: Europe/Berlin is Berlin.

#include "gazetteer/Gazetteer.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace horvane {

struct ZonePlace {
    std::string name; // a name the store can keep: "Berlin, Berlin, DE"
    std::string latitudeText;
    std::string longitudeText;
};

// The installed zone database's folder: $TZDIR when set, else /usr/share/zoneinfo.
std::filesystem::path ZoneTableFolder();

// Gives the gazetteer, or null without one; asked only for a zone that the tables list.
using GazetteerSource = const Gazetteer* (*)();

// The principal city of a zone listed with coordinates in the folder's zone.tab or
// zone1970.tab: the gazetteer's place of that name in that zone, with its name and
// coordinates, where the gazetteer has one; else the city as the zone names it with the
// table's country code and coordinates. Nothing for a zone the tables do not list (UTC, a
// POSIX TZ string) or tables that cannot be read.
std::optional<ZonePlace> PlaceOfZone(std::string_view zone, GazetteerSource gazetteer,
                                     const std::filesystem::path& folder);

} // namespace horvane
