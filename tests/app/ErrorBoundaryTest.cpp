#include "app/HorvaneApplication.h"

#include "settings/frmLocation.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/TemporaryHives.h"

#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;
using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

// A fresh application for each test: the first error of a run is the one shown.
class ErrorBoundary : public ::testing::Test {
protected:
    // Replaces the hive under the running window by bytes that are no hive.
    void DamageTheHive() {
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
        WriteFileBytes(world.hives.UserHive(), kDamaged);
    }

    static constexpr const char* kDamaged = "this is not a hive, and must stay as it is";
    int argc_ = 1;
    char name_[16] = "horvane-tests";
    char* argv_[2] = {name_, nullptr};
    ScriptedPrompt errorPrompt;
    HorvaneApplication application{argc_, argv_, errorPrompt};
    ClockWindowWorld world;
    std::unique_ptr<frmMain> window = world.Start();
};

} // namespace

// The store fails when the window closes: the error is shown once with its number and text,
// the event loop is told to end, and the hive is left as it was.
TEST_F(ErrorBoundary, ARegistryErrorInAHandlerIsShownAndEndsTheProgramWithTheHiveUnchanged) {
    window->show();
    DamageTheHive();
    window->close();              // saves the settings: raises inside the close handler
    window->cmdLocation->click(); // raises again, while the first is shown: not shown
    EXPECT_TRUE(application.Failed());
    EXPECT_THAT(errorPrompt.shown, ElementsAre(StartsWith("Run-time error '26001':\n\n")));
    EXPECT_EQ(ReadFileBytes(world.hives.UserHive()), kDamaged);
    EXPECT_FALSE(window->Timer1.isActive());
}

// The dialog's handlers leave the store's errors to the boundary too.
TEST_F(ErrorBoundary, ARegistryErrorInTheDialogIsCaughtAtTheBoundary) {
    window->show();
    window->cmdLocation->click();
    DamageTheHive();
    QTest::mouseClick(window->Location()->cmdOK, Qt::LeftButton);
    EXPECT_TRUE(application.Failed());
    EXPECT_EQ(ReadFileBytes(world.hives.UserHive()), kDamaged);
    EXPECT_THAT(errorPrompt.shown, ElementsAre(StartsWith("Run-time error '26001':\n\n")));
}
