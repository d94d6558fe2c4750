#include "settings/LongLat.h"
#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;
using ::testing::AllOf;
using ::testing::HasSubstr;
using ::testing::Property;
using ::testing::StartsWith;
using ::testing::Throws;
using StoredValues = std::vector<std::pair<DWORD, std::vector<BYTE>>>;

namespace {

const std::vector<BYTE> kShown{0xFF, 0xFF, 0xFF, 0xFF};
const char* const kHands[] = {"SecondHand", "MinuteHand", "HourHand",
                              "WeekHand",   "MoonHand",   "YearHand"};

void WriteSetting(const char* name, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data), ERROR_SUCCESS);
}

// The type and bytes of "Location" and of the six hands.
StoredValues StoredSettings() {
    StoredValues stored;
    for (const char* name :
         {"Location", kHands[0], kHands[1], kHands[2], kHands[3], kHands[4], kHands[5]}) {
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name);
        stored.emplace_back(raw.type, raw.data);
    }
    return stored;
}

// Matches a RegistryError 26001 whose description matches.
template <typename Description> auto Raises26001(Description description) {
    return Throws<RegistryError>(AllOf(Property(&RegistryError::Number, 26001),
                                       Property(&RegistryError::Description, description)));
}

class Store : public ::testing::Test {
protected:
    // "longitude latitude", or "missing".
    std::string Place(const std::string& name) const {
        std::string longitude = "kept", latitude = "kept";
        return store_.ReadLocation(name, longitude, latitude) ? longitude + " " + latitude
                                                              : "missing " + longitude;
    }

    // What the store holds in memory, the hands as 1 (shown) or 0.
    std::string Loaded() const {
        std::string loaded = store_.sLocation + " " + std::to_string(store_.dLatitude) + " " +
                             std::to_string(store_.dLongitude) + " ";
        for (const Boolean shown : {store_.bSecondHand, store_.bMinuteHand, store_.bHourHand,
                                    store_.bWeekHand, store_.bMoonHand, store_.bYearHand})
            loaded += shown == True ? '1' : shown == False ? '0' : '?';
        return loaded;
    }

    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

TEST_F(Store, FirstRunWritesTheDefaultsLoadsShorewoodAndListsThe23Places) {
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Shorewood, Wisconsin, US 43.089000 -87.888000 111111");
    EXPECT_EQ(Place("Ciudad de México, México"), "99.150W 19.400N");
    StoredValues expected(7, {REG_DWORD, kShown});
    expected[0] = {REG_SZ, TextBytes("Shorewood, Wisconsin, US")};
    EXPECT_EQ(StoredSettings(), expected);

    NameList list;
    list.AddItem("stale entry");
    store_.FillLocationList(list, "London, UK");
    ASSERT_EQ(list.ListCount(), 23);
    EXPECT_EQ(std::tuple(list.List(0), list.List(5), list.List(list.listIndex)),
              std::tuple("Barrow, Alaska, US", "Ciudad de México, México", "London, UK"));
    store_.FillLocationList(list, "london, uk");
    EXPECT_EQ(list.listIndex, -1);
}

// Each row is stored for all six hands (REG_NONE: no value at all); rows alternate, so
// that a hand left as the row before set it shows.
TEST_F(Store, HidesAHandOnlyWhenItsValueIsPresentAndZero) {
    WriteSetting("Location", REG_SZ, TextBytes("Nowhere"));
    const std::tuple<DWORD, std::vector<BYTE>, char> rows[] = {{REG_NONE, {}, '1'},
                                                               {REG_DWORD, {0, 0, 0, 0}, '0'},
                                                               {REG_DWORD, {1, 0, 0, 0}, '1'},
                                                               {REG_SZ, TextBytes("0"), '0'},
                                                               {REG_SZ, TextBytes("yes"), '1'},
                                                               {REG_SZ, TextBytes("false"), '0'},
                                                               {REG_DWORD, kShown, '1'},
                                                               {REG_BINARY, {0, 0}, '0'},
                                                               {REG_BINARY, {}, '1'},
                                                               {REG_BINARY, {0, 0}, '0'},
                                                               {REG_BINARY, {0, 1}, '1'}};
    for (const auto& [type, data, shown] : rows) {
        for (const char* hand : kHands) {
            if (type != REG_NONE)
                WriteSetting(hand, type, data);
        }
        store_.LoadSettings();
        EXPECT_EQ(Loaded(), "Nowhere 0.000000 0.000000 " + std::string(6, shown))
            << type << " " << data.size();
    }
}

// Stored settings without locations are no first run. A name with a variable is stored as
// written and read back expanded.
TEST_F(Store, ReadsWhatItCanOfALocationAndSavesTheSettingsItHolds) {
    WriteSetting("Location", REG_SZ, TextBytes("Somewhere"));
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Somewhere 0.000000 0.000000 111111");
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).empty());
    store_.SaveLocation("Somewhere", "10.5E", "95N");
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Somewhere 0.000000 10.500000 111111");

    setenv("HORVANE_PLACE", "Mars", 1);
    store_.sLocation = "%HORVANE_PLACE% base";
    store_.bMoonHand = False;
    store_.SaveSettings();
    StoredValues expected(7, {REG_DWORD, kShown});
    expected[0] = {REG_EXPAND_SZ, TextBytes("%HORVANE_PLACE% base")};
    expected[5].second = {0, 0, 0, 0};
    EXPECT_EQ(StoredSettings(), expected);
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Mars base 0.000000 0.000000 111101");

    cRegistry settings;
    settings.ClassKey(kCurrentUser);
    settings.SectionKey(kSettingsKey);
    settings.ValueKey("Location");
    settings.DeleteValue();
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), " 0.000000 0.000000 111101");
}

// Names that cannot be one key name no location: saving them raises, reading them finds
// nothing and leaves the texts alone.
TEST_F(Store, DeletesOnlyLocationsThatExistAndRefusesNamesThatCannotBeOneKey) {
    for (const std::string& name :
         {std::string(), std::string("Paris\\France"), std::string(256, 'x')}) {
        EXPECT_THAT([&] { store_.SaveLocation(name, "2.35E", "48.86N"); },
                    Raises26001("Failed to create registry Key: '" + std::string(kLocationsKey) +
                                "\\" + name))
            << name;
        EXPECT_EQ(Place(name), "missing kept");
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
    store_.SaveLocation("Home", "1E", "2N");
    EXPECT_FALSE(store_.DeleteLocation("Elsewhere"));
    EXPECT_FALSE(store_.DeleteLocation(""));
    EXPECT_TRUE(store_.DeleteLocation("HOME"));
    EXPECT_FALSE(store_.DeleteLocation("Home"));
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).empty());
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kLocationsKey, "Longitude").result, ERROR_FILE_NOT_FOUND);
}

// A hive that cannot be read is no first run: the error names the real cause and the
// file, and nothing is written.
TEST_F(Store, AHiveThatCannotBeReadRaisesItsCauseAndIsLeftAsItWas) {
    const std::filesystem::path plain = hives_.Folder() / "plain";
    const std::tuple<std::filesystem::path, std::string> rows[] = {
        {hives_.UserHive(), "The registry is corrupted."},
        {hives_.Folder() / "folder" / "user.hive", "The registry is corrupted."},
        {plain / "horvane" / "user.hive", "Not a directory"}};
    WriteFileBytes(hives_.UserHive(), "damaged");
    std::filesystem::create_directories(hives_.Folder() / "folder" / "user.hive");
    WriteFileBytes(plain, "plain");
    for (const auto& [hive, cause] : rows) {
        SetRegistryHiveLocations({hive, hives_.MachineHive()});
        EXPECT_THAT([&] { store_.LoadSettings(); },
                    Raises26001(AllOf(StartsWith("Failed to open registry Key: '-2147483647',"
                                                 "Section: 'Software\\TallwickSoftware\\Horvane"),
                                      HasSubstr(cause), HasSubstr(hive.string() + ": "))))
            << hive;
    }
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), "damaged");
    EXPECT_EQ(ReadFileBytes(plain), "plain");
    EXPECT_TRUE(std::filesystem::is_empty(hives_.Folder() / "folder" / "user.hive"));
}
