#include "app/HorvaneApplication.h"

#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "tests/support/ClockWindowWorld.h"

#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;
using ::testing::ElementsAre;
using ::testing::StartsWith;

namespace {

RecordingPrompt errorPrompt;

HorvaneApplication& Application() {
    return TestApplication<HorvaneApplication>(errorPrompt);
}

} // namespace

// The store fails when the window closes: the error is shown with its number and text, the
// event loop is told to end, and the hive is left as it was.
TEST(ErrorBoundary, ARegistryErrorInAHandlerIsShownAndEndsTheProgramWithTheHiveUnchanged) {
    HorvaneApplication& application = Application();
    ClockWindowWorld world;
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
