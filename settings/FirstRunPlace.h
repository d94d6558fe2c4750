#pragma once
// The place a first run adds and makes current: the city of the system's time zone.

#include "gazetteer/ZonePlace.h"

#include <optional>

namespace horvane {

// The place of the system's zone (as TZ or the system names it) where the zone database
// gives it coordinates and the store can keep its name. Nothing in the default place's own
// zone, which keeps the default, nor for UTC, a POSIX TZ string or an unlisted zone.
std::optional<ZonePlace> FirstRunZonePlace();

} // namespace horvane
