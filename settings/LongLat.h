#pragma once
// The settings and location store: the program's persistent state, kept in the
// per-user registry, and held in memory in nine public variables.

#include "platform/BasicTypes.h"
#include "settings/CoordinateText.h"
#include "settings/LocationList.h"

#include <string>

namespace horvane {

// Where the store keeps its state, below HKEY_CURRENT_USER.
inline constexpr const char* kSettingsKey = "Software\\TallwickSoftware\\Horvane";
inline constexpr const char* kLocationsKey = "Software\\TallwickSoftware\\Horvane\\Locations";

// One object owns the state for the whole run; the windows share it. Each procedure
// works through its own registry object, released before it returns.
class LongLat {
public:
    double dLongitude = 0; // degrees, east positive
    double dLatitude = 0;  // degrees, north positive
    std::string sLocation;
    Boolean bSecondHand = False;
    Boolean bMinuteHand = False;
    Boolean bHourHand = False;
    Boolean bWeekHand = False;
    Boolean bMoonHand = False;
    Boolean bYearHand = False;

    // Fills the variables from the registry; on the first run writes the defaults.
    void LoadSettings();
    // Fills the variables from the registry without writing anything; answers false, with
    // no location and the hands off, when nothing is stored yet.
    bool ReadSettings();
    // Writes the current location's name and the six hand switches.
    void SaveSettings() const;

    // Answers true when the location is stored, with its two coordinate texts.
    bool ReadLocation(const std::string& name, std::string& longitudeText,
                      std::string& latitudeText) const;
    // Writes the location's texts, creating it when new. A name that cannot be one
    // registry key (empty, with a backslash, too long) raises RegistryError.
    void SaveLocation(const std::string& name, const std::string& longitudeText,
                      const std::string& latitudeText) const;
    // Answers true when the location existed and was deleted.
    bool DeleteLocation(const std::string& name) const;
    // Lists the stored locations in registry order and selects the one named exactly so.
    void FillLocationList(LocationList& list, const std::string& name) const;

private:
    void WriteDefaults();
    void ReadHandSwitches();
};

} // namespace horvane
