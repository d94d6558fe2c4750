#include "settings/LongLat.h"
#include "settings/DefaultLocations.h"
#include "settings/cRegistry.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const std::string kPlaces = std::string(kLocationsKey) + "\\";
const std::vector<BYTE> kShown{0xFF, 0xFF, 0xFF, 0xFF};

class Store : public ::testing::Test {
protected:
    static void WriteText(const std::string& key, const char* name, const std::string& text) {
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, key, name, REG_SZ, TextBytes(text)), ERROR_SUCCESS);
    }
    static void WriteNumber(const char* name, std::uint32_t number) {
        const auto* bytes = reinterpret_cast<const BYTE*>(&number);
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD,
                           std::vector<BYTE>(bytes, bytes + 4)),
                  ERROR_SUCCESS);
    }

    std::vector<Boolean> Hands() const {
        return {store_.bSecondHand, store_.bMinuteHand, store_.bHourHand,
                store_.bWeekHand,   store_.bMoonHand,   store_.bYearHand};
    }

    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

TEST_F(Store, FirstRunWritesTheDefaultsAndLoadsShorewood) {
    store_.LoadSettings();

    EXPECT_EQ(store_.sLocation, "Shorewood, Wisconsin, US");
    EXPECT_DOUBLE_EQ(store_.dLatitude, 43.089);
    EXPECT_DOUBLE_EQ(store_.dLongitude, -87.888);
    EXPECT_EQ(Hands(), std::vector<Boolean>(6, True));

    const std::vector<std::string> places = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    ASSERT_EQ(places.size(), 23u);
    for (const DefaultLocation& row : kDefaultLocations) {
        std::string longitude, latitude;
        ASSERT_TRUE(store_.ReadLocation(row.name, longitude, latitude)) << row.name;
        EXPECT_EQ(longitude, row.longitude);
        EXPECT_EQ(latitude, row.latitude);
    }
    const RawValue location = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location");
    EXPECT_EQ(location.type, REG_SZ);
    EXPECT_EQ(location.data, TextBytes("Shorewood, Wisconsin, US"));
    for (const char* hand :
         {"SecondHand", "MinuteHand", "HourHand", "WeekHand", "MoonHand", "YearHand"}) {
        const RawValue value = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, hand);
        EXPECT_EQ(value.type, REG_DWORD) << hand;
        EXPECT_EQ(value.data, kShown) << hand;
    }
}

TEST_F(Store, DeletingTheLocationsKeyBringsNoFirstRun) {
    store_.LoadSettings();
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, kLocationsKey), ERROR_SUCCESS);
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "Shorewood, Wisconsin, US");
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_EQ(store_.dLongitude, 0);
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).empty());
}

namespace {

struct HandCase {
    std::optional<std::uint32_t> stored; // nullopt: no value
    Boolean shown;
};

class HandValues : public Store, public ::testing::WithParamInterface<HandCase> {};

} // namespace

TEST_P(HandValues, HideAHandOnlyWhenPresentAndZero) {
    WriteText(kSettingsKey, "Location", "Nowhere");
    if (GetParam().stored) {
        for (const char* hand :
             {"SecondHand", "MinuteHand", "HourHand", "WeekHand", "MoonHand", "YearHand"})
            WriteNumber(hand, *GetParam().stored);
    }
    store_.LoadSettings();
    EXPECT_EQ(Hands(), std::vector<Boolean>(6, GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Table, HandValues,
                         ::testing::Values(HandCase{std::nullopt, True}, HandCase{0, False},
                                           HandCase{1, True}, HandCase{0xFFFFFFFF, True}));

TEST_F(Store, HandEditedHandValuesOfOtherTypes) {
    WriteText(kSettingsKey, "SecondHand", "0");
    WriteText(kSettingsKey, "MinuteHand", "false");
    WriteText(kSettingsKey, "HourHand", "yes");
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "WeekHand", REG_BINARY, {0, 0}), 0);
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "MoonHand", REG_BINARY, {0, 1}), 0);
    store_.LoadSettings();
    EXPECT_EQ(Hands(), (std::vector<Boolean>{False, False, True, False, True, True}));
}

TEST_F(Store, ReadsWhatItCanOfALocation) {
    WriteText(kSettingsKey, "Location", "Somewhere");
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "Somewhere");
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_EQ(store_.dLongitude, 0);

    store_.SaveLocation("Somewhere", "10.5E", "95N");
    store_.LoadSettings();
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_DOUBLE_EQ(store_.dLongitude, 10.5);

    ASSERT_EQ(RegDeleteValueA(HKEY_CURRENT_USER, "Location"), ERROR_FILE_NOT_FOUND);
    HKEY settings{};
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_ALL_ACCESS, &settings), 0);
    ASSERT_EQ(RegDeleteValueA(settings, "Location"), ERROR_SUCCESS);
    RegCloseKey(settings);
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "");
    EXPECT_EQ(store_.dLongitude, 0);
}

TEST_F(Store, SavesTheSettingsItHolds) {
    store_.sLocation = "Tokyo, Japan";
    store_.bWeekHand = True;
    store_.SaveSettings();
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location").data, TextBytes("Tokyo, Japan"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "WeekHand").data, kShown);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "MoonHand").data,
              (std::vector<BYTE>{0, 0, 0, 0}));
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
    std::string tooLong(256, 'x');
    for (const std::string& name : {std::string(), std::string("Paris\\France"), tooLong}) {
        try {
            store_.SaveLocation(name, "2.35E", "48.86N");
            ADD_FAILURE() << name;
        } catch (const RegistryError& error) {
            EXPECT_EQ(error.Number(), 26001);
            EXPECT_EQ(error.Description(), "Failed to create registry Key: '" + kPlaces + name);
        }
        std::string longitude = "kept";
        std::string latitude;
        EXPECT_FALSE(store_.ReadLocation(name, longitude, latitude));
        EXPECT_EQ(longitude, "kept");
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

TEST_F(Store, FillsTheListAndSelectsOnlyAnExactName) {
    store_.LoadSettings();
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

TEST_F(Store, ADamagedHiveRaisesAndIsLeftAsItWas) {
    std::filesystem::create_directories(hives_.UserHive().parent_path());
    std::ofstream(hives_.UserHive()) << "damaged";
    try {
        store_.LoadSettings();
        FAIL() << "no RegistryError raised";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number(), 26001);
    }
    std::ifstream file(hives_.UserHive());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "damaged");
}

TEST_F(Store, ANameWithAVariableReadsBackExpanded) {
    setenv("HORVANE_PLACE", "Mars", 1);
    store_.LoadSettings();
    store_.sLocation = "%HORVANE_PLACE% base";
    store_.SaveLocation(store_.sLocation, "1E", "1N");
    store_.SaveSettings();
    store_.LoadSettings();
    EXPECT_EQ(store_.sLocation, "Mars base");
    EXPECT_EQ(store_.dLatitude, 0);
}
