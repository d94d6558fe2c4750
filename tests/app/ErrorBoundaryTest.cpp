#include "app/HorvaneApplication.h"

#include "settings/RegistryError.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowControls.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/TemporaryHives.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// A fresh application for each test: the first error of a run is the one shown.
class ErrorBoundary : public ::testing::Test {
protected:
    // Replaces the hive under the shown window by bytes that are no hive, then acts: a change
    // that cannot begin. The error is shown once with its number and text, the event loop told
    // to end, and the hive left as it was; a click while the error is shown raises again and
    // shows nothing.
    void DamageTheHiveThen(const std::function<void()>& act) {
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
        WriteFileBytes(world.hives.UserHive(), kDamaged);
        act();
        controls.cmdLocation->click();
        EXPECT_TRUE(application.Failed());
        EXPECT_THAT(errorPrompt.shown,
                    ::testing::ElementsAre(::testing::StartsWith(
                        "Run-time error '" + std::to_string(kRegistrySetValueError) +
                        "':\n\nFailed to save the changes: ")));
        EXPECT_EQ(ReadFileBytes(world.hives.UserHive()), kDamaged);
    }

    static constexpr const char* kDamaged = "this is not a hive, and must stay as it is";
    int argc_ = 1;
    char name_[16] = "horvane-tests";
    char* argv_[2] = {name_, nullptr};
    ScriptedPrompt errorPrompt;
    HorvaneApplication application{argc_, argv_, errorPrompt};
    ClockWindowWorld world;
    std::unique_ptr<frmMain> window = world.Start();
    const ClockWindowControls controls{*window};
    void SetUp() override { window->show(); }
};

} // namespace

// Closing saves the settings: the store raises inside the close handler.
TEST_F(ErrorBoundary, ARegistryErrorInAHandlerIsShownAndEndsTheProgramWithTheHiveUnchanged) {
    DamageTheHiveThen([this] { window->close(); });
    EXPECT_TRUE(window->Model().Paused());
}

// The dialog's handlers leave the store's errors to the boundary too.
TEST_F(ErrorBoundary, ARegistryErrorInTheDialogIsCaughtAtTheBoundary) {
    controls.cmdLocation->click();
    DamageTheHiveThen([this] { QTest::mouseClick(window->Location()->cmdOK, Qt::LeftButton); });
}

// The boundary ends the event loop the program runs in, with the error status: the status the
// program exits with. (A second timer ends a loop that would otherwise go on.)
TEST_F(ErrorBoundary, ARegistryErrorEndsTheEventLoopWithTheErrorStatus) {
    constexpr int kStillRunning = 99;
    QTimer::singleShot(0, &application, [this] { DamageTheHiveThen([this] { window->close(); }); });
    QTimer::singleShot(10000, &application, [] { QCoreApplication::exit(kStillRunning); });
    EXPECT_EQ(application.exec(), kExitOnError);
}
