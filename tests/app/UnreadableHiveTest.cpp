// The hive becomes unreadable while a clock runs: the clock's next use of the store (the
// Change Location dialog loading the settings) either still works or shows the run-time error
// and ends, and the file is left as it was. Another clock started then is refused the same way.

#include "tests/support/ChildClock.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <gmock/gmock.h>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using ::testing::Contains;
using ::testing::StartsWith;

namespace {

constexpr const char* kSavedBefore = "Saved before the trouble";
constexpr const char* kDamaged = "this is not a hive, and must stay as it is";

// A file put in the hive's place keeps the hive's owner, as when its user put it there.
void TakeOwnerOf(const std::filesystem::path& file, const std::filesystem::path& from) {
    struct stat owner {};
    if (stat(from.c_str(), &owner) == 0) [[maybe_unused]]
        const int changed = chown(file.c_str(), owner.st_uid, owner.st_gid);
}

void ReplaceWithDamagedFile(const TemporaryHives& hives) {
    const std::filesystem::path replacement = hives.UserHive().string() + ".new";
    WriteFileBytes(replacement, kDamaged);
    TakeOwnerOf(replacement, hives.UserHive());
    std::filesystem::rename(replacement, hives.UserHive());
}

void OverwriteInPlace(const TemporaryHives& hives) {
    WriteFileBytes(hives.UserHive(), kDamaged);
}

void SetMode(const std::filesystem::path& path, std::filesystem::perms mode) {
    std::filesystem::permissions(path, mode);
}

struct HiveTrouble {
    const char* name;
    std::function<void(const TemporaryHives&)> cause;
    std::function<void(const TemporaryHives&)> mend; // after the clock ended; may be empty
    bool clockEnds;                                  // the running clock shows the error and ends
};

class UnreadableHive : public ::testing::TestWithParam<HiveTrouble> {
protected:
    UnreadableHive() {
        // A child of root runs as nobody: the hive must be its own.
        if (geteuid() == 0) [[maybe_unused]]
            const int changed = chown(hives_.Folder().c_str(), kNobody, kNobody);
    }

    // The clock saves a place through its dialog, waits while the parent causes the trouble,
    // ticks, opens the dialog again and closes.
    pid_t StartClock(const std::string& shown) {
        return StartChildClock(
            hives_.Folder() / shown,
            [this](HorvaneApplication& application, frmMain& window) {
                window.show();
                if (!SavePlaceThroughDialog(window, kSavedBefore))
                    return 3;
                handshake_.TellParent();
                if (!handshake_.AwaitParent())
                    return 2;
                window.Timer1_Timer(); // a tick reads nothing from the store
                QTest::mouseClick(window.cmdLocation, Qt::LeftButton);
                if (!application.Failed())
                    window.close();
                return application.Failed() ? kExitOnError : 0;
            },
            true);
    }

    std::string Shown(const std::string& shown) const {
        return ReadFileBytes(hives_.Folder() / shown);
    }

    TemporaryHives hives_;
    Handshake handshake_;
};

} // namespace

TEST_P(UnreadableHive, TheClockEndsWithTheErrorOrGoesOnAndTheFileIsKept) {
    const HiveTrouble& trouble = GetParam();
    const pid_t running = StartClock("running");
    ASSERT_TRUE(handshake_.AwaitChild());
    trouble.cause(hives_);
    const std::string caused = ReadFileBytes(hives_.UserHive());
    handshake_.TellChild();
    const int status = ExitStatus(running);

    // Another clock started now.
    const pid_t started = StartChildClock(
        hives_.Folder() / "started", [](HorvaneApplication&, frmMain&) { return 0; }, true);
    EXPECT_EQ(ExitStatus(started), kExitOnError);
    EXPECT_THAT(Shown("started"), StartsWith("Run-time error '"));

    if (trouble.clockEnds) {
        EXPECT_EQ(status, kExitOnError);
        EXPECT_THAT(Shown("running"), StartsWith("Run-time error '"));
        EXPECT_EQ(ReadFileBytes(hives_.UserHive()), caused);
    } else {
        EXPECT_EQ(status, 0);
        EXPECT_EQ(Shown("running"), "");
    }
    if (trouble.mend) {
        trouble.mend(hives_);
        const std::vector<std::string> places = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
        EXPECT_EQ(places.size(), 24u);
        EXPECT_THAT(places, Contains(kSavedBefore));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableHive,
    ::testing::Values(HiveTrouble{"ReplacedByADamagedFile", ReplaceWithDamagedFile, nullptr, true},
                      HiveTrouble{"OverwrittenInPlace", OverwriteInPlace, nullptr, true},
                      HiveTrouble{"FolderPermissionRemoved",
                                  [](const auto& hives) {
                                      SetMode(hives.UserHive().parent_path(),
                                              std::filesystem::perms::none);
                                  },
                                  [](const auto& hives) {
                                      SetMode(hives.UserHive().parent_path(),
                                              std::filesystem::perms::owner_all);
                                  },
                                  true},
                      HiveTrouble{"FilePermissionRemoved",
                                  [](const auto& hives) {
                                      SetMode(hives.UserHive(), std::filesystem::perms::none);
                                  },
                                  [](const auto& hives) {
                                      SetMode(hives.UserHive(),
                                              std::filesystem::perms::owner_read |
                                                  std::filesystem::perms::owner_write);
                                  },
                                  false}),
    [](const auto& info) { return std::string(info.param.name); });
