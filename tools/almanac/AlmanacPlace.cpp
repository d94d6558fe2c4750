#include "tools/almanac/AlmanacPlace.h"

#include "platform/registry/RegistryApi.h"
#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"

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
    return "horvane-almanac: the stored locations cannot be read: " + RegistryResultText(result);
}

// A stored location, read as the clock reads it: a text that does not parse leaves 0.
PlaceLookup StoredLocation(const LongLat& store, const std::string& name) {
    std::string longitudeText;
    std::string latitudeText;
    if (!store.ReadLocation(name, longitudeText, latitudeText))
        return Failure(kExitBadPlace,
                       "horvane-almanac: no location named \"" + name + "\" is stored");
    PlaceLookup lookup;
    ParseLatitude(latitudeText, lookup.place.latitude);
    ParseLongitude(longitudeText, lookup.place.longitude);
    lookup.place.name = name + " (" + latitudeText + " " + longitudeText + ")";
    return lookup;
}

} // namespace

PlaceLookup ResolveAlmanacPlace(const AlmanacOptions& options) {
    if (options.latitudeText)
        return FromTexts("", *options.latitudeText, *options.longitudeText);
    if (std::string problem = StoreProblem(); !problem.empty())
        return Failure(kExitStoreUnreadable, problem);
    try {
        LongLat store;
        if (options.locationName)
            return StoredLocation(store, *options.locationName);
        if (!store.ReadSettings())
            return FromTexts(kDefaultLocation.name, kDefaultLocation.latitude,
                             kDefaultLocation.longitude);
        // The clock's place: a current location without its entry stands at 0, 0.
        PlaceLookup lookup = StoredLocation(store, store.sLocation);
        if (!lookup.error.empty())
            lookup = {{store.sLocation, store.dLatitude, store.dLongitude}, "", 0};
        return lookup;
    } catch (const RegistryError& error) {
        return Failure(kExitStoreUnreadable,
                       "horvane-almanac: the stored locations cannot be read: " +
                           error.Description());
    }
}

} // namespace horvane
