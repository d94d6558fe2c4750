#pragma once
// A hive holding many places: the defaults of a first run and numbered ones after them.

#include "platform/registry/RegistryApi.h"
#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"

#include <string>

namespace horvane::test_support {

inline constexpr int kDefaultPlaceCount = int(kDefaultLocations.size());

inline std::string NumberedPlace(int place) {
    return "Place " + std::to_string(place);
}

// Writes the first-run defaults, then adds numbered places until the store holds count, in
// one transaction.
inline void FillWithPlaces(int count) {
    LongLat store;
    store.LoadSettings();
    RegistryBatch batch(HKEY_CURRENT_USER);
    batch.Begin();
    for (int place = kDefaultPlaceCount; place < count; ++place)
        store.SaveLocation(NumberedPlace(place), "1.000E", "1.000N");
    batch.Commit();
}

} // namespace horvane::test_support
