#include "app/HorvaneApplication.h"

#include "settings/frmLocation.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/TemporaryHives.h"

#include <QPushButton>
#include <QTest>
#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// A fresh application for each test: the first error of a run is the one shown.
class ErrorBoundary : public ::testing::Test {
protected:
    // Replaces the hive under the running window by bytes that are no hive, lets the button be
    // clicked, and checks that the error is shown once and the hive left as it was.
    void ClickWithTheHiveDamaged(QPushButton* button) {
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
        WriteFileBytes(world.hives.UserHive(), kDamaged);
        QTest::mouseClick(button, Qt::LeftButton);
        window->cmdLocation->click(); // raises again, while the first is shown: not shown
        EXPECT_TRUE(application.Failed());
        EXPECT_THAT(errorPrompt.shown,
                    ::testing::ElementsAre(::testing::StartsWith("Run-time error '26001':\n\n")));
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
};

} // namespace

// Closing saves the settings: the store raises inside the close handler, and the event loop is
// told to end.
TEST_F(ErrorBoundary, ARegistryErrorInAHandlerIsShownAndEndsTheProgramWithTheHiveUnchanged) {
    window->show();
    QPushButton close;
    QObject::connect(&close, &QPushButton::clicked, window.get(), &QWidget::close);
    ClickWithTheHiveDamaged(&close);
    EXPECT_FALSE(window->Timer1.isActive());
}

// The dialog's handlers leave the store's errors to the boundary too.
TEST_F(ErrorBoundary, ARegistryErrorInTheDialogIsCaughtAtTheBoundary) {
    window->show();
    window->cmdLocation->click();
    ClickWithTheHiveDamaged(window->Location()->cmdOK);
}
