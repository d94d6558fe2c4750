#include "settings/LongLat.h"
#include "gazetteer/Gazetteer.h"
#include "gazetteer/PlaceText.h"
#include "platform/registry/RegistryHiveFile.h"
#include "settings/LocationNames.h"
#include "settings/RegistryError.h"
#include "settings/StoreChange.h"
#include "tests/settings/StoreText.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <csignal>
#include <cstdlib>
#include <gmock/gmock.h>
#include <sys/resource.h>

using namespace horvane;
using namespace horvane::test_support;
using namespace ::testing;
using namespace std::string_literals;
using Setting = std::pair<DWORD, std::vector<BYTE>>;
using StoredValues = std::vector<Setting>;

namespace {

const std::string kFirstRunPlace = "Shorewood, Wisconsin, US";
const std::vector<BYTE> kShown{0xFF, 0xFF, 0xFF, 0xFF}, kHidden{0, 0, 0, 0};
const char* const kSettings[] = {"Location", "SecondHand", "MinuteHand", "HourHand",
                                 "WeekHand", "MoonHand",   "YearHand"};

void WriteSetting(const char* name, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, name, type, data), ERROR_SUCCESS);
}

// The type and bytes of "Location" and of the six hands.
StoredValues RawSettings() {
    StoredValues stored;
    for (const char* name : kSettings) {
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, name);
        stored.emplace_back(raw.type, raw.data);
    }
    return stored;
}

class Store : public Test {
protected:
    // The current place and the hands, then its coordinates.
    std::string Loaded() const {
        return SettingsOf(store_) + " " + std::to_string(store_.dLatitude) + " " +
               std::to_string(store_.dLongitude);
    }

    TemporaryHives hives_;
    LongLat store_;
};

class StoreChange : public Store {
protected:
    StoreChange() { store_.LoadSettings(); } // the first run's places and settings
};

} // namespace

TEST_F(Store, FirstRunWritesTheDefaultsLoadsShorewoodAndListsThe23Places) {
    store_.LoadSettings();
    NameList list, folded;
    store_.FillLocationList(list, "London, UK");
    store_.FillLocationList(folded, "london, uk"); // selects only the name as written
    EXPECT_EQ(std::tuple(Loaded(), list.ListCount(), list.listIndex, folded.listIndex),
              std::tuple(kFirstRunPlace + " 111111 43.089000 -87.888000", 23, 13, -1));
}

// A first run under each zone: the city of a zone the zone database places is added and made
// current; the default's own zone and a POSIX rule keep the default.
TEST(FirstRunInZone, AddsAndChoosesTheZonesCity) {
    const std::string formerZone = std::getenv("TZ") ? std::getenv("TZ") : "";
    const std::string keeps = kFirstRunPlace + " 111111 | 43.089N | 87.888W";
    const std::pair<const char*, std::string> rows[] = {
        {"Europe/Berlin", "Berlin, State of Berlin, DE 111111 | 52.524N | 13.411E"},
        {"Australia/Sydney", "Sydney, New South Wales, AU 111111 | 33.868S | 151.207E"},
        {"America/Chicago", keeps},
        {"CET-1CEST,M3.5.0,M10.5.0/3", keeps}};
    for (const auto& [zone, expected] : rows) {
        setenv("TZ", zone, 1);
        const TemporaryHives hives;
        LongLat store;
        store.LoadSettings();
        EXPECT_EQ(StoredSettings() + " | " + StoredPlace(store.sLocation), expected) << zone;
    }
    formerZone.empty() ? unsetenv("TZ") : setenv("TZ", formerZone.c_str(), 1);
}

TEST(LocationNames, EveryTownOfTheGazetteerHasANameTheStoreCanKeep) {
    const GazetteerLoad load = Gazetteer::Load(HORVANE_TEST_PLACES_FILE);
    ASSERT_NE(load.gazetteer, nullptr) << load.problem;
    for (std::uint32_t index = 0; index < load.gazetteer->PlaceCount(); ++index) {
        const std::string name = StoredPlaceName(load.gazetteer->Place(index));
        ASSERT_EQ(LocationNameProblem(name), "") << name;
    }
}

TEST_F(Store, HidesAHandOnlyWhenItsValueIsPresentAndZero) {
    WriteSetting("Location", REG_SZ, TextBytes("Nowhere"));
    const Setting values[] = {{REG_SZ, TextBytes("0")},     {REG_NONE, {}}, // no value at all
                              {REG_SZ, TextBytes("false")}, {REG_SZ, TextBytes("yes")},
                              {REG_BINARY, {0, 0}},         {REG_BINARY, {}}};
    for (std::size_t hand = 0; hand < 6; ++hand) {
        if (values[hand].first != REG_NONE)
            WriteSetting(kSettings[hand + 1], values[hand].first, values[hand].second);
    }
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Nowhere 010101 0.000000 0.000000");
}

// Stored settings without locations are no first run. A name with a variable is stored as
// written and read back expanded.
TEST_F(Store, ReadsWhatItCanOfALocationAndSavesTheSettingsItHolds) {
    WriteSetting("HourHand", REG_DWORD, kHidden);
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), " 110111 0.000000 0.000000");
    store_.SaveLocation("Somewhere", "10.5E", "95N");
    WriteSetting("Location", REG_SZ, TextBytes("Somewhere"));
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Somewhere 110111 0.000000 10.500000");

    setenv("HORVANE_PLACE", "Mars", 1);
    store_.sLocation = "%HORVANE_PLACE% base";
    store_.bMoonHand = False;
    store_.SaveSettings();
    StoredValues expected(7, Setting{REG_DWORD, kShown});
    expected[0] = {REG_EXPAND_SZ, TextBytes("%HORVANE_PLACE% base")};
    expected[3].second = expected[5].second = kHidden;
    EXPECT_EQ(RawSettings(), expected);
    store_.LoadSettings();
    EXPECT_EQ(Loaded(), "Mars base 110101 0.000000 0.000000");
}

// Names that cannot be one key name no location: saving them raises and writes nothing.
TEST_F(Store, DeletesOnlyLocationsThatExistAndRefusesNamesThatCannotBeOneKey) {
    for (const std::string& name : {std::string(), "Paris\\France"s, std::string(256, 'x')}) {
        EXPECT_THAT([&] { store_.SaveLocation(name, "2.35E", "48.86N"); },
                    Throws<RegistryError>(
                        Property(&RegistryError::Description, "Failed to create registry Key: '"s +
                                                                  kLocationsKey + "\\" + name)))
            << name;
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
    store_.SaveLocation("Home", "1E", "2N");
    EXPECT_EQ((std::vector{store_.DeleteLocation("Elsewhere"), store_.DeleteLocation(""),
                           store_.DeleteLocation("HOME"), store_.DeleteLocation("Home")}),
              (std::vector{false, false, true, false}));
}

// A hive that cannot be read is no first run: the error names the real cause and the
// file, and nothing is written.
TEST_F(Store, AHiveThatCannotBeReadRaisesItsCauseAndIsLeftAsItWas) {
    const std::filesystem::path plain = hives_.Folder() / "plain";
    const std::tuple<std::filesystem::path, std::string> rows[] = {
        {hives_.UserHive(), "The registry is corrupted."},
        {plain / "horvane" / "user.hive", "Not a directory"}};
    WriteFileBytes(hives_.UserHive(), "damaged");
    WriteFileBytes(plain, "plain");
    for (const auto& [hive, cause] : rows) {
        SetRegistryHiveLocations({hive, hives_.MachineHive()});
        EXPECT_THAT([&] { store_.LoadSettings(); },
                    Throws<RegistryError>(Property(
                        &RegistryError::Description,
                        AllOf(StartsWith("Failed to open registry Key: '-2147483647',Section: '"),
                              HasSubstr(cause), HasSubstr(hive.string() + ": ")))))
            << hive;
    }
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()) + ReadFileBytes(plain), "damagedplain");
}

// An error part-way undoes every write of the change, those of the changes inside it too,
// and passes on; the store takes changes again afterwards.
TEST_F(StoreChange, AnErrorPartWayLandsNothing) {
    EXPECT_THROW(WriteAsOneChange([this] {
                     store_.SaveLocation("London, UK", "1E", "1N");
                     store_.SaveLocation("New", "3E", "3N");
                     throw RegistryError(kRegistrySetValueError, "on the way");
                 }),
                 RegistryError);
    EXPECT_EQ(StoredPlace("London, UK") + " " + StoredPlace("New"), "51.517N | .105W (none)");
    WriteAsOneChange([this] { store_.SaveLocation("New", "3E", "3N"); });
    EXPECT_EQ(StoredPlace("New"), "3N | 3E");
}

// Another process holds the hive past the wait: the change fails as a whole, also when the
// hive is free again by the time its writes would run.
TEST_F(Store, AChangeThatCannotBeginFailsAndWritesNothing) {
    store_.LoadSettings();
    int held[2];
    ASSERT_EQ(pipe(held), 0);
    const pid_t holder = StartChild([&] {
        RegistryBatch batch(HKEY_CURRENT_USER);
        const char begun = batch.Begin() == ERROR_SUCCESS ? 'y' : 'n';
        return write(held[1], &begun, 1) == 1 ? pause() : 1;
    });
    char begun = 0;
    ASSERT_TRUE(read(held[0], &begun, 1) == 1 && begun == 'y');
    const auto releaseHive = [holder] { return kill(holder, SIGKILL) == 0 && ExitStatus(holder); };
    SetHiveBusyWait(std::chrono::milliseconds(200)); // for the hive opened from here on
    EXPECT_THAT(
        [&] {
            WriteAsOneChange([&] {
                releaseHive();
                store_.SaveLocation("Half", "1E", "1N");
                throw RegistryError(kRegistrySetValueError, "on the way");
            });
        },
        Throws<RegistryError>(
            Property(&RegistryError::Description,
                     StartsWith("Failed to save the changes: " + RegistryResultText(ERROR_BUSY)))));
    releaseHive();
    SetHiveBusyWait(std::chrono::seconds(30));
    EXPECT_EQ(StoredPlace("Half"), "(none)");
}

TEST_F(StoreChange, AProcessKilledPartWayLandsNothing) {
    const pid_t child = StartChild([this] {
        WriteAsOneChange([this] {
            store_.SaveLocation("London, UK", "9E", "9N");
            store_.sLocation = "London, UK";
            store_.SaveSettings();
            raise(SIGKILL);
        });
        return 0;
    });
    EXPECT_EQ(ExitStatus(child), -1);
    EXPECT_EQ(StoredSettings() + " " + StoredPlace("London, UK"),
              kFirstRunPlace + " 111111 51.517N | .105W");
}

TEST_F(StoreChange, AFailedCommitSaysSoAndLandsNothing) {
    std::uintmax_t largest = 0;
    for (const auto& file : std::filesystem::directory_iterator(hives_.UserHive().parent_path()))
        largest = std::max(largest, file.file_size());
    // Room for a few pages more, far less than the change needs: a nearly full disk.
    const rlim_t limit = largest + 65536;
    const pid_t child = StartChild([this, limit] {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit nearlyFull{limit, limit};
        setrlimit(RLIMIT_FSIZE, &nearlyFull);
        try {
            WriteAsOneChange([this] {
                for (int place = 0; place < 3000; ++place)
                    store_.SaveLocation("Place " + std::to_string(place), "1E", "1N");
            });
        } catch (const RegistryError& error) { // a file that may not grow: an I/O error
            return error.Description().starts_with("Failed to save the changes: ") ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(ExitStatus(child), 0);
    EXPECT_EQ(StoredPlace("Place 0"), "(none)");
}
