#include "tools/almanac/AlmanacPlace.h"

#include "gazetteer/SharedGazetteer.h"
#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"
#include "tools/almanac/AlmanacPlaces.h"

namespace horvane {
namespace {

constexpr int kExitBadPlace = 2;
constexpr int kExitStoreUnreadable = 1;

PlaceLookup Failure(int exitCode, std::string error) {
    return {{}, std::move(error), exitCode};
}

PlaceLookup FromTexts(const std::string& name, const std::string& latitudeText,
                      const std::string& longitudeText) {
    PlaceLookup lookup;
    if (!ParseLatitude(latitudeText, lookup.place.latitude))
        return Failure(kExitBadPlace, "Invalid latitude ... please try again.");
    if (!ParseLongitude(longitudeText, lookup.place.longitude))
        return Failure(kExitBadPlace, "Invalid longitude ... please try again.");
    const std::string coordinates = latitudeText + " " + longitudeText;
    lookup.place.name = name.empty() ? coordinates : name + " (" + coordinates + ")";
    return lookup;
}

// The store's settings key opens, or does not exist yet; anything else (a damaged or
// unreadable hive) is reported rather than taken for an empty store.
std::string StoreProblem() {
    HKEY key{};
    const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND)
        return {};
    return "horvane-almanac: the stored locations cannot be read: " + RegistryFailureText(result);
}

// A stored location's texts; unlike the clock, which stands at 0 where a text does not
// parse, the almanac refuses to report on a place it cannot read.
PlaceLookup FromStoredTexts(const std::string& name, const std::string& latitudeText,
                            const std::string& longitudeText) {
    PlaceLookup lookup;
    const auto notParsing = [&](const char* coordinate, const std::string& text) {
        return Failure(kExitBadPlace, "horvane-almanac: the stored " + std::string(coordinate) +
                                          " \"" + text + "\" of \"" + name + "\" does not parse");
    };
    if (!ParseLatitude(latitudeText, lookup.place.latitude))
        return notParsing("latitude", latitudeText);
    if (!ParseLongitude(longitudeText, lookup.place.longitude))
        return notParsing("longitude", longitudeText);
    lookup.place.name = name + " (" + latitudeText + " " + longitudeText + ")";
    return lookup;
}

PlaceLookup StoredLocation(const LongLat& store, const std::string& name) {
    std::string longitudeText;
    std::string latitudeText;
    if (!store.ReadLocation(name, longitudeText, latitudeText))
        return Failure(kExitBadPlace,
                       "horvane-almanac: no location named \"" + name + "\" is stored");
    return FromStoredTexts(name, latitudeText, longitudeText);
}

// The clock's place: a current location without its entry stands at 0, 0.
PlaceLookup CurrentLocation(const LongLat& store) {
    std::string longitudeText;
    std::string latitudeText;
    if (!store.ReadLocation(store.sLocation, longitudeText, latitudeText))
        return {{store.sLocation, store.dLatitude, store.dLongitude}, "", 0};
    return FromStoredTexts(store.sLocation, latitudeText, longitudeText);
}

} // namespace

PlaceLookup ResolveAlmanacPlace(const AlmanacOptions& options) {
    if (options.latitudeText)
        return FromTexts("", *options.latitudeText, *options.longitudeText);
    if (options.placeName)
        return PlaceByName(SharedGazetteer(), *options.placeName);
    if (std::string problem = StoreProblem(); !problem.empty())
        return Failure(kExitStoreUnreadable, problem);
    try {
        LongLat store;
        if (options.locationName)
            return StoredLocation(store, *options.locationName);
        if (!store.ReadSettings())
            return FromTexts(kDefaultLocation.name, kDefaultLocation.latitude,
                             kDefaultLocation.longitude);
        return CurrentLocation(store);
    } catch (const RegistryError& error) {
        return Failure(kExitStoreUnreadable,
                       "horvane-almanac: the stored locations cannot be read: " +
                           error.Description());
    }
}

} // namespace horvane
