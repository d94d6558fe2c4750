#include "settings/StoreChange.h"
#include "settings/DefaultLocations.h"
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

// "longitude latitude" of a stored place, or "missing".
std::string StoredPlace(const std::string& name) {
    std::string longitude, latitude;
    return LongLat().ReadLocation(name, longitude, latitude) ? longitude + " " + latitude
                                                             : "missing";
}

std::string StoredCurrentPlace() {
    LongLat store;
    store.ReadSettings();
    return store.sLocation;
}

class StoreChange : public ::testing::Test {
protected:
    StoreChange() { LongLat().LoadSettings(); } // the first run's places and settings

    TemporaryHives hives_;
};

} // namespace

// An error part-way undoes every write of the change, those of the changes inside it too,
// and passes on; the store takes changes again afterwards.
TEST_F(StoreChange, AnErrorPartWayLandsNothing) {
    LongLat store;
    EXPECT_THROW(WriteAsOneChange([&store] {
                     store.SaveLocation("London, UK", "1E", "1N");
                     store.SaveLocation("New", "3E", "3N");
                     throw RegistryError(kRegistrySetValueError, "on the way");
                 }),
                 RegistryError);
    EXPECT_EQ(StoredPlace("London, UK"), ".105W 51.517N");
    EXPECT_EQ(StoredPlace("New"), "missing");

    WriteAsOneChange([&store] { store.SaveLocation("New", "3E", "3N"); });
    EXPECT_EQ(StoredPlace("New"), "3E 3N");
}

// A process killed in the middle of a change leaves the store as it was before it.
TEST_F(StoreChange, AProcessKilledPartWayLandsNothing) {
    const pid_t child = StartChild([] {
        LongLat store;
        WriteAsOneChange([&store] {
            store.SaveLocation("London, UK", "9E", "9N");
            store.sLocation = "London, UK";
            store.SaveSettings();
            raise(SIGKILL);
        });
        return 0;
    });
    EXPECT_EQ(ExitStatus(child), -1);
    EXPECT_EQ(StoredCurrentPlace(), kDefaultLocationName);
    EXPECT_EQ(StoredPlace("London, UK"), ".105W 51.517N");
}

// A change whose commit fails says so and lands nothing.
TEST_F(StoreChange, AFailedCommitSaysSoAndLandsNothing) {
    std::uintmax_t largest = 0;
    for (const auto& file : std::filesystem::directory_iterator(hives_.UserHive().parent_path()))
        largest = std::max(largest, file.file_size());
    // Room for a few pages more, far less than the change needs: a nearly full disk.
    const rlim_t limit = largest + 65536;
    const pid_t child = StartChild([limit] {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit nearlyFull{limit, limit};
        setrlimit(RLIMIT_FSIZE, &nearlyFull);
        LongLat store;
        try {
            WriteAsOneChange([&store] {
                for (int place = 0; place < 3000; ++place)
                    store.SaveLocation("Place " + std::to_string(place), "1E", "1N");
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
    EXPECT_EQ(StoredPlace("Place 0"), "missing");
    EXPECT_EQ(StoredPlace("Place 2999"), "missing");
}
