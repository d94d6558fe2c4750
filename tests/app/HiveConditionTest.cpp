// Whole clocks in child processes on one hive: two saving places at once, and one whose hive
// becomes unreadable while it runs. Each child makes its own application object after the
// fork, as Qt requires; it stops itself where the parent is to act, and writes what its error
// path showed to a file for the parent.

#include "app/HorvaneApplication.h"
#include "clock/frmMain.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/ListComboBox.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowDoubles.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <array>
#include <csignal>
#include <gmock/gmock.h>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using std::filesystem::path;
using std::filesystem::perms;
using ::testing::Contains;

namespace {

// What a child clock does with its window; answers the child's exit status.
using ClockWork = std::function<int(HorvaneApplication&, frmMain&)>;

// Runs a clock in a child process: the window starts (loading the settings) and work acts on
// it, both as the program's handlers run: an error is shown and ends the clock with
// kExitOnError. What the error path showed goes to shownFile. asNobody: a child of root runs as
// the user nobody, for whom file permissions count.
pid_t StartChildClock(const path& shownFile, const ClockWork& work, bool asNobody = false) {
    return StartChild([&shownFile, &work, asNobody] {
        if (asNobody && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            return 90;
        static int argc = 1;
        static char name[] = "horvane-child";
        static char* argv[] = {name, nullptr};
        ScriptedPrompt prompt;
        int status = kExitOnError;
        {
            HorvaneApplication application(argc, argv, prompt);
            LongLat store;
            RunHandler([&] {
                frmMain window(store, prompt);
                status = work(application, window);
            });
            if (application.Failed())
                status = kExitOnError;
        }
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // closes the hives as exit does
        std::ofstream shown(shownFile, std::ios::binary);
        for (const std::string& message : prompt.errors)
            shown << message << '\n';
        return status;
    });
}

// In the parent: waits until the child has stopped itself (raise(SIGSTOP)) to let the parent
// act; false when it ended instead.
bool AwaitStop(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WUNTRACED) == child && WIFSTOPPED(status);
}

// Saves a new place through the window's Change Location dialog, as a user does: the location
// button, New, the name typed, OK. Answers false when the dialog did not close with it saved.
bool SavePlaceThroughDialog(frmMain& window, const std::string& name) {
    QTest::mouseClick(window.cmdLocation, Qt::LeftButton);
    frmLocation* dialog = window.Location();
    if (dialog == nullptr || !dialog->isVisible())
        return false;
    QTest::mouseClick(dialog->cmdNew, Qt::LeftButton);
    QTest::keyClicks(dialog->cbxLocation, QString::fromStdString(name));
    QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    return !dialog->isVisible();
}

// The hives' folder belongs to nobody, who may run the children of root.
class HiveCondition : public ::testing::Test {
protected:
    HiveCondition() {
        if (geteuid() == 0) [[maybe_unused]]
            const int changed = chown(hives_.Folder().c_str(), kNobody, kNobody);
    }

    // What a child's error path showed, as far as the start of the first message.
    std::string Shown(const std::string& child) const {
        return ReadFileBytes(hives_.Folder() / child).substr(0, 16);
    }

    std::vector<std::string> StoredPlaces() const {
        return RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    }

    TemporaryHives hives_;
};

constexpr int kPlacesPerClock = 15;
constexpr const char* kRuntimeError = "Run-time error '";
constexpr const char* kSavedBefore = "Saved before the trouble";
constexpr const char* kDamaged = "this is not a hive, and must stay as it is";

std::string PlaceName(int clock, int place) {
    return "Clock " + std::to_string(clock) + " place " + std::to_string(place);
}

// Once both clocks run, saves its places one after another, ticking between them; answers 0
// when every save closed the dialog and the window then showed the place saved.
int SavePlaces(frmMain& window, int clock) {
    window.show();
    raise(SIGSTOP);
    for (int place = 0; place < kPlacesPerClock; ++place) {
        const std::string name = PlaceName(clock, place);
        if (!SavePlaceThroughDialog(window, name))
            return 3;
        window.Timer1_Timer();
        if (window.lblLocation->text().toStdString() != name)
            return 4;
    }
    window.close();
    return 0;
}

// The file put in the hive's place keeps the hive's owner, as when its user put it there.
void ReplaceWithDamagedFile(const path& hive) {
    const path replacement = hive.string() + ".new";
    WriteFileBytes(replacement, kDamaged);
    struct stat owner {};
    if (stat(hive.c_str(), &owner) == 0) [[maybe_unused]]
        const int changed = chown(replacement.c_str(), owner.st_uid, owner.st_gid);
    std::filesystem::rename(replacement, hive);
}

void OverwriteInPlace(const path& hive) {
    WriteFileBytes(hive, kDamaged);
}

void CloseTheFolder(const path& hive) {
    std::filesystem::permissions(hive.parent_path(), perms::none);
}

void CloseTheFile(const path& hive) {
    std::filesystem::permissions(hive, perms::none);
}

struct HiveTrouble {
    const char* name;
    void (*cause)(const path& hive);
    bool clockEnds; // the running clock shows the error and ends
};

class UnreadableHive : public HiveCondition, public ::testing::WithParamInterface<HiveTrouble> {};

using SharedHive = HiveCondition;

} // namespace

TEST_F(SharedHive, TwoClocksSavingPlacesAtOnceBothWorkAndLoseNone) {
    LongLat().LoadSettings(); // the first run, before either clock
    std::array<pid_t, 2> clocks{};
    std::vector<std::string> saved;
    for (int clock = 0; clock < 2; ++clock) {
        clocks[clock] = StartChildClock(
            hives_.Folder() / std::to_string(clock),
            [clock](HorvaneApplication&, frmMain& window) { return SavePlaces(window, clock); });
        for (int place = 0; place < kPlacesPerClock; ++place)
            saved.push_back(PlaceName(clock, place));
    }
    for (const pid_t clock : clocks)
        EXPECT_TRUE(AwaitStop(clock)); // both started: they run side by side from here
    for (const pid_t clock : clocks)
        kill(clock, SIGCONT);
    for (int clock = 0; clock < 2; ++clock) {
        EXPECT_EQ(ExitStatus(clocks[clock]), 0) << "clock " << clock;
        EXPECT_EQ(Shown(std::to_string(clock)), "") << "clock " << clock;
    }
    EXPECT_EQ(StoredPlaces().size(), 23u + saved.size());
    EXPECT_THAT(StoredPlaces(), ::testing::IsSupersetOf(saved));
    // The settings hold the last place one of them saved.
    const RawValue current = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location");
    EXPECT_THAT((std::array{saved[kPlacesPerClock - 1], saved.back()}),
                Contains(std::string(current.data.begin(), current.data.end() - 1)));
}

// The running clock saves a place, stops while the trouble is caused, ticks, opens the dialog
// again (which loads the settings) and closes. Another clock started then is refused. The
// damaged file is left as it was; when the file is a hive still, every place is kept.
TEST_P(UnreadableHive, TheClockEndsWithTheErrorOrGoesOnAndTheFileIsKept) {
    const pid_t running = StartChildClock(
        hives_.Folder() / "running",
        [](HorvaneApplication& application, frmMain& window) {
            window.show();
            if (!SavePlaceThroughDialog(window, kSavedBefore))
                return 3;
            raise(SIGSTOP);
            window.Timer1_Timer(); // a tick reads nothing from the store
            QTest::mouseClick(window.cmdLocation, Qt::LeftButton);
            if (!application.Failed())
                window.close();
            return application.Failed() ? kExitOnError : 0;
        },
        true);
    if (AwaitStop(running))
        GetParam().cause(hives_.UserHive());
    kill(running, SIGCONT);
    const int status = ExitStatus(running);
    EXPECT_EQ(std::pair(status, Shown("running")),
              GetParam().clockEnds ? std::pair(kExitOnError, std::string(kRuntimeError))
                                   : std::pair(0, std::string()));
    const pid_t started = StartChildClock(
        hives_.Folder() / "started", [](HorvaneApplication&, frmMain&) { return 0; }, true);
    EXPECT_EQ(ExitStatus(started), kExitOnError);
    EXPECT_EQ(Shown("started"), kRuntimeError);

    std::filesystem::permissions(hives_.UserHive().parent_path(), perms::owner_all);
    std::filesystem::permissions(hives_.UserHive(), perms::owner_read | perms::owner_write);
    if (ReadFileBytes(hives_.UserHive()) != kDamaged) {
        EXPECT_EQ(StoredPlaces().size(), 24u);
        EXPECT_THAT(StoredPlaces(), Contains(kSavedBefore));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnreadableHive,
    ::testing::Values(HiveTrouble{"ReplacedByADamagedFile", ReplaceWithDamagedFile, true},
                      HiveTrouble{"OverwrittenInPlace", OverwriteInPlace, true},
                      HiveTrouble{"FolderPermissionRemoved", CloseTheFolder, true},
                      HiveTrouble{"FilePermissionRemoved", CloseTheFile, false}),
    [](const auto& info) { return std::string(info.param.name); });
