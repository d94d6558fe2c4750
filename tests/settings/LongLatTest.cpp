#include "settings/LongLat.h"
#include "settings/DefaultLocations.h"
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

namespace {

const std::vector<BYTE> kShown{0xFF, 0xFF, 0xFF, 0xFF};
const char* const kHands[] = {"SecondHand", "MinuteHand", "HourHand",
                              "WeekHand",   "MoonHand",   "YearHand"};

class Store : public ::testing::Test {
protected:
    static void WriteSetting(const char* name, DWORD type, const std::vector<BYTE>& data) {
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data), ERROR_SUCCESS);
    }

    static std::vector<std::vector<BYTE>> StoredHands() {
        std::vector<std::vector<BYTE>> stored;
        for (const char* hand : kHands)
            stored.push_back(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, hand).data);
        return stored;
    }

    std::vector<Boolean> Hands() const {
        return {store_.bSecondHand, store_.bMinuteHand, store_.bHourHand,
                store_.bWeekHand,   store_.bMoonHand,   store_.bYearHand};
    }

    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

TEST_F(Store, FirstRunWritesTheDefaultsLoadsShorewoodAndListsThe23Places) {
    store_.LoadSettings();

    EXPECT_EQ(store_.sLocation, "Shorewood, Wisconsin, US");
    EXPECT_DOUBLE_EQ(store_.dLatitude, 43.089);
    EXPECT_DOUBLE_EQ(store_.dLongitude, -87.888);
    EXPECT_EQ(Hands(), std::vector<Boolean>(6, True));

    ASSERT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 23u);
    std::string longitude, latitude;
    ASSERT_TRUE(store_.ReadLocation("Ciudad de México, México", longitude, latitude));
    EXPECT_EQ(longitude + " " + latitude, "99.150W 19.400N");
    const RawValue location = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location");
    EXPECT_EQ(location.type, REG_SZ);
    EXPECT_EQ(location.data, TextBytes("Shorewood, Wisconsin, US"));
    for (const char* hand : kHands)
        EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, hand).type, REG_DWORD) << hand;
    EXPECT_EQ(StoredHands(), std::vector<std::vector<BYTE>>(6, kShown));

    NameList list;
    list.AddItem("stale entry");
    store_.FillLocationList(list, "London, UK");
    ASSERT_EQ(list.ListCount(), 23);
    EXPECT_EQ(list.List(0), "Barrow, Alaska, US");
    EXPECT_EQ(list.List(5), "Ciudad de México, México");
    EXPECT_EQ(list.List(list.listIndex), "London, UK");
    store_.FillLocationList(list, "london, uk");
    EXPECT_EQ(list.listIndex, -1);
}

// Each row is stored for all six hands (REG_NONE: no value at all); rows alternate, so
// that a hand left as the row before set it shows.
TEST_F(Store, HidesAHandOnlyWhenItsValueIsPresentAndZero) {
    WriteSetting("Location", REG_SZ, TextBytes("Nowhere"));
    const std::tuple<DWORD, std::vector<BYTE>, Boolean> table[] = {
        {REG_NONE, {}, True},
        {REG_DWORD, {0, 0, 0, 0}, False},
        {REG_DWORD, {1, 0, 0, 0}, True},
        {REG_SZ, TextBytes("0"), False},
        {REG_SZ, TextBytes("yes"), True},
        {REG_SZ, TextBytes("false"), False},
        {REG_DWORD, kShown, True},
        {REG_BINARY, {0, 0}, False},
        {REG_BINARY, {}, True},
        {REG_BINARY, {0, 0}, False},
        {REG_BINARY, {0, 1}, True}};
    for (const auto& [type, data, shown] : table) {
        for (const char* hand : kHands) {
            if (type != REG_NONE)
                WriteSetting(hand, type, data);
        }
        store_.LoadSettings();
        EXPECT_EQ(Hands(), std::vector<Boolean>(6, shown)) << type << " " << data.size();
    }
}

TEST_F(Store, ReadsWhatItCanOfALocation) {
    WriteSetting("Location", REG_SZ, TextBytes("Somewhere"));
    store_.LoadSettings(); // stored settings, if without locations, are no first run
    EXPECT_EQ(store_.sLocation, "Somewhere");
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_EQ(store_.dLongitude, 0);
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).empty());

    store_.SaveLocation("Somewhere", "10.5E", "95N");
    store_.LoadSettings();
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_DOUBLE_EQ(store_.dLongitude, 10.5);

    HKEY settings{};
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &settings), 0);
    ASSERT_EQ(RegDeleteValueA(settings, "Location"), ERROR_SUCCESS);
    RegCloseKey(settings);
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "");
    EXPECT_EQ(store_.dLongitude, 0);
}

TEST_F(Store, DeletesOnlyLocationsThatExist) {
    store_.SaveLocation("Home", "1E", "2N");
    EXPECT_FALSE(store_.DeleteLocation("Elsewhere"));
    EXPECT_FALSE(store_.DeleteLocation(""));
    EXPECT_TRUE(store_.DeleteLocation("HOME"));
    EXPECT_FALSE(store_.DeleteLocation("Home"));
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).empty());
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kLocationsKey, "Longitude").result, ERROR_FILE_NOT_FOUND);
}

TEST_F(Store, RefusesNamesThatCannotBeOneKey) {
    for (const std::string& name :
         {std::string(), std::string("Paris\\France"), std::string(256, 'x')}) {
        EXPECT_THAT(
            [&] { store_.SaveLocation(name, "2.35E", "48.86N"); },
            Throws<RegistryError>(AllOf(Property(&RegistryError::Number, 26001),
                                        Property(&RegistryError::Description,
                                                 "Failed to create registry Key: '" +
                                                     std::string(kLocationsKey) + "\\" + name))));
        std::string longitude = "kept", latitude;
        EXPECT_FALSE(store_.ReadLocation(name, longitude, latitude));
        EXPECT_EQ(longitude, "kept");
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

// A hive that cannot be read is no first run: the error names the real cause and the
// file, and nothing is written.
TEST_F(Store, AHiveThatCannotBeReadRaisesItsCauseAndIsLeftAsItWas) {
    const std::filesystem::path plain = hives_.Folder() / "plain";
    const std::tuple<const char*, std::filesystem::path, std::string> table[] = {
        {"damaged", hives_.UserHive(), "The registry is corrupted."},
        {"a folder", hives_.Folder() / "folder" / "user.hive", "The registry is corrupted."},
        {"below a file", plain / "horvane" / "user.hive", "Not a directory"}};
    WriteFileBytes(hives_.UserHive(), "damaged");
    std::filesystem::create_directories(hives_.Folder() / "folder" / "user.hive");
    WriteFileBytes(plain, "plain");
    for (const auto& [name, hive, cause] : table) {
        SetRegistryHiveLocations({hive, hives_.MachineHive()});
        EXPECT_THAT([&] { store_.LoadSettings(); },
                    Throws<RegistryError>(AllOf(
                        Property(&RegistryError::Number, 26001),
                        Property(&RegistryError::Description,
                                 AllOf(StartsWith("Failed to open registry Key: '-2147483647',"
                                                  "Section: 'Software\\TallwickSoftware\\Horvane"),
                                       HasSubstr(cause), HasSubstr(hive.string() + ": "))))))
            << name;
    }
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), "damaged");
    EXPECT_EQ(ReadFileBytes(plain), "plain");
    EXPECT_TRUE(std::filesystem::is_empty(hives_.Folder() / "folder" / "user.hive"));
}

// A name with a variable is stored as written and read back expanded.
TEST_F(Store, SavesTheSettingsItHolds) {
    setenv("HORVANE_PLACE", "Mars", 1);
    store_.LoadSettings();
    store_.sLocation = "%HORVANE_PLACE% base";
    store_.bMoonHand = False;
    store_.SaveLocation(store_.sLocation, "1E", "1N");
    store_.SaveSettings();
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location").data,
              TextBytes("%HORVANE_PLACE% base"));
    EXPECT_EQ(StoredHands(), (std::vector<std::vector<BYTE>>{
                                 kShown, kShown, kShown, kShown, {0, 0, 0, 0}, kShown}));
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "Mars base");
    EXPECT_EQ(store_.dLatitude, 0);
}
