#include "app/HorvaneApplication.h"

#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "tests/support/ClockWindowWorld.h"

#include "settings/frmLocation.h"

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
    int argc_ = 1;
    char name_[16] = "horvane-tests";
    char* argv_[2] = {name_, nullptr};
    RecordingPrompt errorPrompt;
    HorvaneApplication application{argc_, argv_, errorPrompt};
    ClockWindowWorld world;
};

} // namespace

// The store fails when the window closes: the error is shown with its number and text, the
// event loop is told to end, and the hive is left as it was.
TEST_F(ErrorBoundary, ARegistryErrorInAHandlerIsShownAndEndsTheProgramWithTheHiveUnchanged) {
    const std::unique_ptr<frmMain> started = world.Start();
    frmMain& window = *started;
    window.show();
    const std::string damaged = "this is not a hive, and must stay as it is";
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    WriteFileBytes(world.hives.UserHive(), damaged);

    window.close(); // saves the settings: raises inside the close handler

    EXPECT_TRUE(application.Failed());
    ASSERT_EQ(errorPrompt.errors.size(), 1u);
    EXPECT_THAT(errorPrompt.errors[0], StartsWith("Run-time error '"));
    EXPECT_NE(errorPrompt.errors[0].find("':\n\n"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(world.hives.UserHive()), damaged);
    EXPECT_FALSE(window.Timer1.isActive());

    // Errors raised while the first is shown are not shown again.
    window.lSecsBase = -1;
    window.close();
    EXPECT_EQ(errorPrompt.errors.size(), 1u);
}

// The dialog's handlers leave the store's errors to the boundary too.
TEST_F(ErrorBoundary, ARegistryErrorInTheDialogIsCaughtAtTheBoundary) {
    const std::unique_ptr<frmMain> window = world.Start();
    window->show();
    window->cmdLocation->click();
    frmLocation& dialog = *window->Location();
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    const std::string damaged = "damaged while the dialog was open";
    WriteFileBytes(world.hives.UserHive(), damaged);

    QTest::mouseClick(dialog.cmdOK, Qt::LeftButton);

    EXPECT_TRUE(application.Failed());
    EXPECT_EQ(ReadFileBytes(world.hives.UserHive()), damaged);
    EXPECT_THAT(errorPrompt.errors, ElementsAre(StartsWith("Run-time error '")));
}
