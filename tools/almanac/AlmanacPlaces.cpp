#include "tools/almanac/AlmanacPlaces.h"

#include "gazetteer/PlaceText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace horvane {
namespace {

constexpr int kExitBadPlace = 2;
constexpr int kExitNoGazetteer = 1;
// How many of several even matches are listed.
constexpr std::size_t kListedMatches = 10;

PlaceLookup Failure(int exitCode, std::string error) {
    return {{}, std::move(error), exitCode};
}

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

PlaceLookup PlaceByName(const Gazetteer* gazetteer, const std::string& name) {
    if (!gazetteer)
        return Failure(kExitNoGazetteer, "horvane-almanac: --place needs the places file");
    const std::vector<PlaceMatch> matches = gazetteer->Search(name, kListedMatches);
    if (matches.empty())
        return Failure(kExitBadPlace, "horvane-almanac: no place is named \"" + name + "\"");
    if (!gazetteer->FirstIsClear(matches))
        return Failure(kExitBadPlace, "horvane-almanac: \"" + name +
                                          "\" names several places; give the region or "
                                          "country after a comma, as one of these:\n" +
                                          PlacesText(*gazetteer, matches));
    const GazetteerPlace place = gazetteer->Place(matches[0].place);
    PlaceLookup lookup;
    lookup.place.latitude = place.latitude;
    lookup.place.longitude = place.longitude;
    lookup.place.name = StoredPlaceName(place) + " (" + LatitudeText(place.latitude) + " " +
                        LongitudeText(place.longitude) + ")";
    return lookup;
}

std::string PlacesText(const Gazetteer& gazetteer, const std::vector<PlaceMatch>& matches) {
    std::string text;
    for (const PlaceMatch& match : matches)
        text += PlaceRowText(gazetteer.Place(match.place)) + "\n";
    return text;
}

std::string PlacesJson(const Gazetteer& gazetteer, const std::vector<PlaceMatch>& matches) {
    QJsonArray places;
    for (const PlaceMatch& match : matches) {
        const GazetteerPlace place = gazetteer.Place(match.place);
        places.append(QJsonObject{
            {"location", Text(StoredPlaceName(place))},
            {"name", Text(place.name)},
            {"region", Text(place.region)},
            {"country", Text(place.country)},
            {"latitude", place.latitude},
            {"longitude", place.longitude},
            {"population", qint64(place.population)},
            {"capital", place.capital},
            {"zone", Text(place.zone)},
        });
    }
    return QJsonDocument(places).toJson(QJsonDocument::Compact).toStdString() + "\n";
}

} // namespace horvane
