#pragma once
// The store's state as text, so that a test compares whole values in one assertion.

#include "settings/LongLat.h"

#include <string>

namespace horvane::test_support {

// "latitude | longitude" of a stored place, or "(none)".
inline std::string StoredPlace(const std::string& name) {
    std::string longitude, latitude;
    return LongLat().ReadLocation(name, longitude, latitude) ? latitude + " | " + longitude
                                                             : "(none)";
}

// The current place and the six hands, 1 for each shown: "London, UK 110111".
inline std::string SettingsOf(const LongLat& store) {
    std::string settings = store.sLocation + " ";
    for (const Boolean shown : {store.bSecondHand, store.bMinuteHand, store.bHourHand,
                                store.bWeekHand, store.bMoonHand, store.bYearHand})
        settings += shown == True ? '1' : shown == False ? '0' : '?';
    return settings;
}

// The settings as another program reads them.
inline std::string StoredSettings() {
    LongLat stored;
    stored.ReadSettings();
    return SettingsOf(stored);
}

} // namespace horvane::test_support
