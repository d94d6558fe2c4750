#pragma once
// The settings and location store: the program's persistent state, kept in the
// per-user registry, and held in memory in nine public variables.

#include "astro/EventBoard.h"
#include "platform/BasicTypes.h"
#include "settings/CoordinateText.h"
#include "settings/LocationList.h"

#include <array>
#include <optional>
#include <string>

namespace horvane {

// Where the store keeps its state, below HKEY_CURRENT_USER.
inline constexpr const char* kSettingsKey = "Software\\TallwickSoftware\\Horvane";
inline constexpr const char* kLocationsKey = "Software\\TallwickSoftware\\Horvane\\Locations";

// The most minutes a reminder may come before its event.
inline constexpr int kMaxReminderMinutes = 120;

// For each board event, how many minutes before it a reminder comes (0..kMaxReminderMinutes),
// or nothing when the event has no reminder.
struct ReminderMinutes {
    std::array<std::optional<int>, kBoardEventCount> before;

    std::optional<int>& operator[](BoardEvent event) { return before[int(event)]; }
    const std::optional<int>& operator[](BoardEvent event) const { return before[int(event)]; }
    bool operator==(const ReminderMinutes&) const = default;
};

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

    // The reminders as stored, one REG_DWORD of minutes for each event; a value that is
    // missing, of another type or outside 0..kMaxReminderMinutes is no reminder.
    ReminderMinutes ReadReminders() const;
    // Writes the seven reminders as one change, deleting the values of those that are off.
    // Minutes outside 0..kMaxReminderMinutes raise std::out_of_range, and nothing is written.
    void SaveReminders(const ReminderMinutes& reminders) const;

    // Whether closing the window leaves the clock running in the tray: only a REG_DWORD of 1
    // says so.
    bool ReadKeepRunningInTray() const;
    void SaveKeepRunningInTray(bool keep) const;

private:
    void WriteDefaults();
    void ReadHandSwitches();
};

} // namespace horvane
