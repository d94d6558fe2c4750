// Loading and saving the settings: the current location and the six hand switches.

#include "settings/DefaultLocations.h"
#include "settings/FirstRunPlace.h"
#include "settings/LongLat.h"
#include "settings/SettingsRegistry.h"
#include "settings/StoreChange.h"

#include "platform/registry/RegistryTypes.h"

#include <algorithm>
#include <charconv>
#include <strings.h>

namespace horvane {
namespace {

struct HandSetting {
    const char* valueName;
    Boolean LongLat::*shown;
};

// Hand order: second, minute, hour, week, moon, year.
constexpr HandSetting kHands[] = {
    {"SecondHand", &LongLat::bSecondHand}, {"MinuteHand", &LongLat::bMinuteHand},
    {"HourHand", &LongLat::bHourHand},     {"WeekHand", &LongLat::bWeekHand},
    {"MoonHand", &LongLat::bMoonHand},     {"YearHand", &LongLat::bYearHand},
};

// A hand value edited by hand into a text: a number, or True or False.
bool TextShowsHand(const std::string& text) {
    long number = 0;
    const char* end = text.data() + text.size();
    if (const auto parsed = std::from_chars(text.data(), end, number);
        parsed.ec == std::errc() && parsed.ptr == end)
        return number != 0;
    return strcasecmp(text.c_str(), "False") != 0;
}

// Any nonzero number shows the hand. Other kinds (a hand-edited registry) hide it only
// when they plainly say zero or false.
Boolean HandShown(const TaggedValue& value) {
    if (const auto* boolean = std::get_if<BooleanValue>(&value))
        return ToBoolean(boolean->value != 0);
    if (const auto* small = std::get_if<std::int16_t>(&value))
        return ToBoolean(*small != 0);
    if (const auto* large = std::get_if<std::int32_t>(&value))
        return ToBoolean(*large != 0);
    if (const auto* text = std::get_if<std::string>(&value))
        return ToBoolean(TextShowsHand(*text));
    if (const auto* bytes = std::get_if<ByteArray>(&value))
        return ToBoolean(bytes->empty() || std::any_of(bytes->begin(), bytes->end(),
                                                       [](std::uint8_t b) { return b != 0; }));
    return True;
}

} // namespace

cRegistry SettingsRegistry() {
    cRegistry registry;
    registry.ClassKey(kCurrentUser);
    registry.SectionKey(kSettingsKey);
    return registry;
}

void LongLat::LoadSettings() {
    if (!ReadSettings()) {
        WriteDefaults();
        ReadSettings();
    }
}

bool LongLat::ReadSettings() {
    dLongitude = 0;
    dLatitude = 0;
    sLocation = "(0N,0E)";
    {
        cRegistry registry = SettingsRegistry();
        registry.ValueKey("Location");
        // Only a missing key is a first run; a hive that is damaged or cannot be opened
        // is reported as it is, never written over with the defaults.
        if (!registry.KeyExistsOrRaise())
            return false;
        sLocation = TaggedValueString(registry.Value());
    }
    std::string longitudeText;
    std::string latitudeText;
    if (ReadLocation(sLocation, longitudeText, latitudeText)) {
        ParseLongitude(longitudeText, dLongitude);
        ParseLatitude(latitudeText, dLatitude);
    }
    ReadHandSwitches();
    return true;
}

void LongLat::WriteDefaults() {
    const std::optional<ZonePlace> zonePlace = FirstRunZonePlace();
    WriteAsOneChange([this, &zonePlace] {
        for (const DefaultLocation& row : kDefaultLocations)
            SaveLocation(row.name, row.longitude, row.latitude);
        sLocation = kDefaultLocationName;
        if (zonePlace) {
            SaveLocation(zonePlace->name, zonePlace->longitudeText, zonePlace->latitudeText);
            sLocation = zonePlace->name;
        }
        for (const HandSetting& hand : kHands)
            this->*hand.shown = True;
        SaveSettings();
    });
}

void LongLat::ReadHandSwitches() {
    cRegistry registry = SettingsRegistry();
    registry.Default(BooleanValue{True}); // a missing value shows its hand
    static const std::vector<std::string> kNames = [] {
        std::vector<std::string> names;
        for (const HandSetting& hand : kHands)
            names.emplace_back(hand.valueName);
        return names;
    }();
    const std::vector<TaggedValue> shown = registry.Values(kNames);
    for (std::size_t i = 0; i < std::size(kHands); ++i)
        this->*kHands[i].shown = HandShown(shown[i]);
}

void LongLat::SaveSettings() const {
    WriteAsOneChange([this] {
        cRegistry registry = SettingsRegistry();
        registry.ValueType(REG_SZ);
        registry.ValueKey("Location");
        registry.Value(sLocation);
        registry.ValueType(REG_DWORD);
        for (const HandSetting& hand : kHands) {
            registry.ValueKey(hand.valueName);
            registry.Value(std::int32_t(this->*hand.shown ? True : False));
        }
    });
}

} // namespace horvane
