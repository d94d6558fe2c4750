#include "settings/FirstRunPlace.h"

#include "gazetteer/SharedGazetteer.h"
#include "settings/DefaultLocations.h"
#include "settings/LocationNames.h"

#include <QTimeZone>

namespace horvane {

std::optional<ZonePlace> FirstRunZonePlace() {
    const std::string zone = QTimeZone::systemTimeZoneId().toStdString();
    if (zone == kDefaultLocationZone)
        return std::nullopt;
    std::optional<ZonePlace> place = PlaceOfZone(zone, SharedGazetteer, ZoneTableFolder());
    if (place && !LocationNameProblem(place->name).empty())
        return std::nullopt;
    return place;
}

} // namespace horvane
