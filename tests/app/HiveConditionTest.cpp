// Whole clocks in child processes on one hive: two saving places at once, and one whose hive
// becomes unreadable while it runs. Each child makes its own application object after the
// fork, as Qt requires, and stops itself where the parent is to act.

#include "app/HorvaneApplication.h"
#include "clock/ClockModel.h"
#include "clock/frmMain.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/ListComboBox.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowControls.h"
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

using namespace horvane;
using namespace horvane::test_support;
using std::filesystem::path;
using std::filesystem::perms;

namespace {

// A child clock's exit status when it showed one run-time error and ended.
constexpr int kShowedTheErrorAndEnded = 20;
constexpr const char* kSavedBefore = "Saved before the trouble";
constexpr const char* kSavedAfter = "Saved after the trouble";
constexpr const char* kDamaged = "this is not a hive, and must stay as it is";

// What a child clock does with its window; answers the child's exit status.
using ClockWork = std::function<int(frmMain&)>;

// Runs a clock in a child process, as the user nobody when the tests run as root (file
// permissions count for nobody). The window starts (loading the settings) and work acts on
// it, both as the program's handlers run: an error is shown and ends the clock.
pid_t StartChildClock(const ClockWork& work) {
    return StartChild([&work] {
        if (geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
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
                status = work(window);
            });
        }
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // closes the hives as exit does
        if (prompt.errors.empty())
            return status;
        const bool shownOnce = prompt.errors.size() == 1;
        return shownOnce && prompt.errors[0].starts_with("Run-time error '")
                   ? kShowedTheErrorAndEnded
                   : 21;
    });
}

// In the parent: waits until the child has stopped itself (raise(SIGSTOP)) to let the parent
// act; false when it ended instead.
bool AwaitStop(pid_t child) {
    int status = 0;
    return waitpid(child, &status, WUNTRACED) == child && WIFSTOPPED(status);
}

// Saves the places one after another through the Change Location dialog, as a user does (the
// location button, New, the name typed, OK), stopping for the parent before the one at
// stopBefore; answers 0 when each save closed the dialog and the window then showed the place.
int SavePlaces(frmMain& window, const std::vector<std::string>& names, std::size_t stopBefore) {
    window.show();
    const ClockWindowControls controls(window);
    for (std::size_t place = 0; place < names.size(); ++place) {
        if (place == stopBefore)
            raise(SIGSTOP);
        QTest::mouseClick(controls.cmdLocation, Qt::LeftButton);
        frmLocation* dialog = window.Location();
        if (dialog == nullptr || !dialog->isVisible())
            return 3;
        QTest::mouseClick(dialog->cmdNew, Qt::LeftButton);
        QTest::keyClicks(dialog->cbxLocation, QString::fromStdString(names[place]));
        QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
        window.Model().Tick();
        if (dialog->isVisible() || controls.lblLocation->text().toStdString() != names[place])
            return 4;
    }
    window.close();
    return 0;
}

// What is done to the hive's file while a clock runs; replacing it leaves kDamaged there, the
// others leave the file's bytes as they were.
struct HiveTrouble {
    const char* name;
    void (*cause)(const path& hive);
    bool replaces = false;
};

const HiveTrouble kTroubles[] = {
    // The file put in the hive's place belongs to the hive's owner, as when its user put it there.
    {"ReplacedByADamagedFile",
     [](const path& hive) {
         const path replacement = hive.string() + ".new";
         WriteFileBytes(replacement, kDamaged);
         [[maybe_unused]] const int changed = chown(replacement.c_str(), kNobody, kNobody);
         std::filesystem::rename(replacement, hive);
     },
     true},
    {"OverwrittenInPlace", [](const path& hive) { WriteFileBytes(hive, kDamaged); }, true},
    {"FolderPermissionRemoved",
     [](const path& hive) { std::filesystem::permissions(hive.parent_path(), perms::none); }},
    {"FilePermissionRemoved",
     [](const path& hive) { std::filesystem::permissions(hive, perms::none); }},
    {"MadeReadOnly", [](const path& hive) { std::filesystem::permissions(hive, perms(0444)); }}};

// The hives' folder belongs to nobody, who runs the children of root.
class SharedHive : public ::testing::Test {
protected:
    SharedHive() {
        if (geteuid() == 0) [[maybe_unused]]
            const int changed = chown(hives_.Folder().c_str(), kNobody, kNobody);
    }

    TemporaryHives hives_;
};

class UnreadableHive : public SharedHive, public ::testing::WithParamInterface<HiveTrouble> {};

} // namespace

TEST_F(SharedHive, TwoClocksSavingPlacesAtOnceBothWorkAndLoseNone) {
    ASSERT_EQ(ExitStatus(StartChildClock([](frmMain&) { return 0; })), 0); // the first run
    std::array<pid_t, 2> clocks{};
    for (int clock = 0; clock < 2; ++clock) {
        clocks[clock] = StartChildClock([clock](frmMain& window) {
            std::vector<std::string> names; // all differ
            for (int place = clock; place < 30; place += 2)
                names.push_back("Place " + std::to_string(place));
            return SavePlaces(window, names, 0); // once both run
        });
    }
    for (const pid_t clock : clocks)
        EXPECT_TRUE(AwaitStop(clock)); // both started: they run side by side from here
    for (const pid_t clock : clocks)
        kill(clock, SIGCONT);
    EXPECT_EQ((std::array{ExitStatus(clocks[0]), ExitStatus(clocks[1])}), (std::array{0, 0}));
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size(), 23u + 30);
}

// The running clock saves a place, stops while the trouble is caused, and tries to save another:
// the dialog loads the settings as it opens, and OK writes. It ends with the error, and another
// clock started then cannot save either. The file is left as the trouble left it, also when the
// clock ends; when it is a hive still, it keeps every place saved before.
TEST_P(UnreadableHive, TheClockEndsWithTheErrorAndTheFileIsKept) {
    const pid_t running = StartChildClock([](frmMain& window) {
        return SavePlaces(window, {kSavedBefore, kSavedAfter}, 1);
    });
    std::string left;
    if (AwaitStop(running)) {
        left = GetParam().replaces ? kDamaged : ReadFileBytes(hives_.UserHive());
        GetParam().cause(hives_.UserHive());
    }
    kill(running, SIGCONT);
    EXPECT_EQ(ExitStatus(running), kShowedTheErrorAndEnded);
    EXPECT_EQ(ExitStatus(StartChildClock(
                  [](frmMain& window) { return SavePlaces(window, {kSavedAfter}, 1); })),
              kShowedTheErrorAndEnded);

    std::filesystem::permissions(hives_.UserHive().parent_path(), perms::owner_all);
    std::filesystem::permissions(hives_.UserHive(), perms(0600));
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), left);
    if (!GetParam().replaces) {
        const std::vector<std::string> places = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
        EXPECT_EQ(std::pair(places.size(), std::ranges::count(places, kSavedBefore)),
                  std::pair(std::size_t(24), std::ptrdiff_t(1)));
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableHive, ::testing::ValuesIn(kTroubles),
                         [](const auto& info) { return std::string(info.param.name); });
