#include "settings/StoreChange.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryHives.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// The current place, then "longitude latitude" of each place named, or "missing".
std::string Stored(std::initializer_list<const char*> places) {
    LongLat store;
    store.ReadSettings();
    std::string stored = store.sLocation;
    for (const char* place : places) {
        std::string longitude, latitude;
        stored += store.ReadLocation(place, longitude, latitude)
                      ? " | " + longitude + " " + latitude
                      : " | missing";
    }
    return stored;
}

class StoreChange : public ::testing::Test {
protected:
    StoreChange() { store_.LoadSettings(); } // the first run's places and settings

    TemporaryHives hives_;
    LongLat store_;
};

} // namespace

// An error part-way undoes every write of the change, those of the changes inside it too,
// and passes on; the store takes changes again afterwards.
TEST_F(StoreChange, AnErrorPartWayLandsNothing) {
    const std::string before = Stored({"London, UK", "New"});
    EXPECT_THROW(WriteAsOneChange([this] {
                     store_.SaveLocation("London, UK", "1E", "1N");
                     store_.SaveLocation("New", "3E", "3N");
                     throw RegistryError(kRegistrySetValueError, "on the way");
                 }),
                 RegistryError);
    EXPECT_EQ(Stored({"London, UK", "New"}), before);
    WriteAsOneChange([this] { store_.SaveLocation("New", "3E", "3N"); });
    EXPECT_EQ(Stored({"New"}), "Shorewood, Wisconsin, US | 3E 3N");
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
    EXPECT_EQ(Stored({"London, UK"}), "Shorewood, Wisconsin, US | .105W 51.517N");
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
        } catch (const RegistryError& error) {
            // A file that may not grow is an I/O error to SQLite; a full disk says so.
            const bool saysSo = error.Number() == kRegistrySetValueError &&
                                error.Description().starts_with("Failed to save the changes: ");
            return saysSo ? 0 : 1;
        }
        return 2;
    });
    EXPECT_EQ(ExitStatus(child), 0);
    EXPECT_EQ(Stored({"Place 0", "Place 2999"}), "Shorewood, Wisconsin, US | missing | missing");
}
