// LoadSettings over a hive whose settings and locations keys hold anything at all, of
// any type: the store never raises, its coordinates stay in range, its hands are shown
// or hidden, and saving what it loaded reads back the same.
//
// The input is a list of values to store before the load, each:
//   key byte: 0 the settings key, 1 the locations key, 2 a location named next,
//             3 a location named by the location table's row (next byte)
//   [location name: length byte and bytes | row byte]
//   value name: a length byte and bytes, or, with the top bit of the length byte set,
//               one of the store's own value names (by the low bits)
//   type byte (255: the largest type number), then data: a length byte and bytes.

#include "fuzz/FuzzSupport.h"
#include "fuzz/SqliteMemoryPool.h"
#include "platform/registry/RegistryApi.h"
#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"

#include <cstdlib>
#include <iterator>

using namespace horvane;
using horvane::fuzz::ByteReader;
using horvane::fuzz::Require;

namespace {

constexpr const char* kStoreNames[] = {
    "Location", "SecondHand", "MinuteHand", "HourHand", "WeekHand",
    "MoonHand", "YearHand",   "Longitude",  "Latitude", ""};

std::string KeyFor(ByteReader& input) {
    switch (input.Byte() % 4) {
    case 0:
        return kSettingsKey;
    case 1:
        return kLocationsKey;
    case 2:
        return std::string(kLocationsKey) + "\\" + input.ShortText();
    default:
        return std::string(kLocationsKey) + "\\" +
               kDefaultLocations[input.Byte() % std::size(kDefaultLocations)].name;
    }
}

std::string ValueNameFor(ByteReader& input) {
    const std::uint8_t length = input.Byte();
    if (length & 0x80)
        return kStoreNames[(length & 0x7F) % std::size(kStoreNames)];
    return input.Bytes(length);
}

void StoreValues(ByteReader& input) {
    while (!input.AtEnd()) {
        const std::string key = KeyFor(input);
        const std::string name = ValueNameFor(input);
        const std::uint8_t typeByte = input.Byte();
        const DWORD type = typeByte == 255 ? 0xFFFFFFFFu : typeByte;
        const std::string data = input.ShortText();
        HKEY handle{};
        // Names the registry refuses (empty components, too long) are simply not stored.
        if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &handle, nullptr) != ERROR_SUCCESS)
            continue;
        RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                       DWORD(data.size()));
        RegCloseKey(handle);
    }
}

bool IsBoolean(Boolean value) {
    return value == True || value == False;
}

void CheckLoaded(const LongLat& store) {
    Require(store.dLatitude >= -90 && store.dLatitude <= 90, "the latitude is in range");
    Require(store.dLongitude >= -180 && store.dLongitude <= 180, "the longitude is in range");
    for (const Boolean hand : {store.bSecondHand, store.bMinuteHand, store.bHourHand,
                               store.bWeekHand, store.bMoonHand, store.bYearHand})
        Require(IsBoolean(hand), "each hand is shown or hidden");
}

bool SameHands(const LongLat& a, const LongLat& b) {
    return a.bSecondHand == b.bSecondHand && a.bMinuteHand == b.bMinuteHand &&
           a.bHourHand == b.bHourHand && a.bWeekHand == b.bWeekHand && a.bMoonHand == b.bMoonHand &&
           a.bYearHand == b.bYearHand;
}

} // namespace

// A first run adds the place of the system's time zone; the zone is fixed, so that an input
// does the same on every machine. The default location's zone adds no place.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("TZ", kDefaultLocationZone, 1);
    fuzz::Require(fuzz::SqliteMemoryPool::Install(), "SQLite takes its memory from the pool");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::RunHives();
    // Nothing reaches the disk: the batch is undone when it ends.
    RegistryBatch batch(HKEY_CURRENT_USER);
    Require(batch.Begin() == ERROR_SUCCESS, "a batch begins on the fuzzing hive");
    ByteReader input(data, size);
    StoreValues(input);

    LongLat store;
    store.LoadSettings();
    CheckLoaded(store);

    NameList list;
    store.FillLocationList(list, store.sLocation);
    Require(list.listIndex == -1 || list.List(list.listIndex) == store.sLocation,
            "the list selects the current location or nothing");

    // What the window saves when it closes loads again as it was.
    store.SaveSettings();
    LongLat again;
    again.LoadSettings();
    CheckLoaded(again);
    Require(SameHands(store, again), "saved hands load again as they were");
    if (store.sLocation.find('%') == std::string::npos)
        Require(again.sLocation == store.sLocation && again.dLatitude == store.dLatitude &&
                    again.dLongitude == store.dLongitude,
                "a saved location loads again as it was");
    return 0;
}
