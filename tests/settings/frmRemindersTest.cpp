#include "settings/frmReminders.h"

#include "platform/registry/RegistryHives.h"
#include "platform/ui/HandlerGuard.h"
#include "settings/RegistryError.h"
#include "testing/WidgetApplication.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// Each row as "Caption: minutes", "Caption: off (minutes)" where the box is not checked, with
// "!" where the spin box is enabled when it should not be or the other way round.
std::vector<std::string> Shown(const frmReminders& dialog) {
    std::vector<std::string> rows;
    for (int row = 0; row < kBoardEventCount; ++row) {
        const QCheckBox* remind = dialog.RemindBox(BoardEvent(row));
        const QSpinBox* minutes = dialog.MinutesBox(BoardEvent(row));
        const std::string value = std::to_string(minutes->value());
        rows.push_back(remind->text().toStdString() + ": " +
                       (remind->isChecked() ? value : "off (" + value + ")") +
                       (minutes->isEnabled() == remind->isChecked() ? "" : "!"));
    }
    return rows;
}

class RemindersDialog : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override {
        ReminderMinutes stored;
        stored[BoardEvent::SunSet] = 10;
        stored[BoardEvent::MoonRise] = 0;
        store_.SaveReminders(stored);
        dialog_.Open();
    }

    // Ticks and sets the row's boxes as a user would.
    void Choose(BoardEvent event, bool remind, int minutes) {
        if (dialog_.RemindBox(event)->isChecked() != remind)
            QTest::mouseClick(dialog_.RemindBox(event), Qt::LeftButton);
        dialog_.MinutesBox(event)->setValue(minutes);
    }

    TemporaryHives hives_;
    LongLat store_;
    frmReminders dialog_{store_};
};

const std::vector<std::string> kStoredRows{
    "Twilight Begins: off (10)", "Sun Rise: off (10)", "Sun Transit: off (10)", "Sun Set: 10",
    "Twilight Ends: off (10)",   "Moon Rise: 0",       "Moon Set: off (10)"};

} // namespace

// Every control is named for a screen reader and shows its whole text; no minutes past 120.
TEST_F(RemindersDialog, OpensOnTheStoredRemindersWithEveryControlNamedAndWhole) {
    EXPECT_EQ(Shown(dialog_), kStoredRows);
    for (QWidget* control : dialog_.findChildren<QWidget*>()) {
        const bool box = qobject_cast<QCheckBox*>(control) || qobject_cast<QPushButton*>(control);
        if (box || qobject_cast<QSpinBox*>(control)) {
            EXPECT_FALSE(control->accessibleName().isEmpty()) << control->metaObject()->className();
        }
        if (box || qobject_cast<QLabel*>(control)) {
            EXPECT_GE(control->width(), control->sizeHint().width())
                << control->accessibleName().toStdString();
        }
    }
    dialog_.MinutesBox(BoardEvent::SunSet)->setValue(500);
    EXPECT_EQ(dialog_.MinutesBox(BoardEvent::SunSet)->value(), 120);
}

// OK writes what the dialog shows and tells the clock; Cancel and the close box keep nothing,
// and the dialog opens again on what is stored.
TEST_F(RemindersDialog, OKSavesAndTellsTheClockAndTheOtherWaysOutKeepNothing) {
    QSignalSpy saved(&dialog_, &frmReminders::Saved);
    for (const bool cancel : {true, false}) {
        Choose(BoardEvent::SunRise, true, 30);
        cancel ? QTest::mouseClick(dialog_.CancelButton(), Qt::LeftButton) : void(dialog_.close());
        dialog_.Open();
        EXPECT_EQ(Shown(dialog_), kStoredRows);
    }
    Choose(BoardEvent::SunRise, true, 30);
    Choose(BoardEvent::SunSet, false, 10);
    QTest::mouseClick(dialog_.OkButton(), Qt::LeftButton);
    ReminderMinutes expected;
    expected[BoardEvent::SunRise] = 30;
    expected[BoardEvent::MoonRise] = 0;
    ASSERT_EQ(std::tuple(dialog_.isVisible(), store_.ReadReminders(), saved.count()),
              std::tuple(false, expected, 1));
    EXPECT_EQ(saved.at(0).at(0).value<ReminderMinutes>(), expected);
}

// A store that cannot be written: the error goes to the handler's edge, the dialog stays open
// with the user's choice and the clock hears of nothing.
TEST_F(RemindersDialog, AStoreThatCannotBeWrittenKeepsTheDialogOpen) {
    QSignalSpy saved(&dialog_, &frmReminders::Saved);
    std::exception_ptr reported;
    SetHandlerErrorSink([&](std::exception_ptr error) { reported = error; });
    WriteFileBytes(hives_.Folder() / "plain", "plain");
    SetRegistryHiveLocations({hives_.Folder() / "plain" / "user.hive", hives_.MachineHive()});
    Choose(BoardEvent::SunRise, true, 30);
    QTest::mouseClick(dialog_.OkButton(), Qt::LeftButton);
    SetHandlerErrorSink(nullptr);
    EXPECT_THROW(std::rethrow_exception(reported), RegistryError);
    EXPECT_EQ(std::tuple(dialog_.isVisible(), Shown(dialog_)[1], saved.count()),
              std::tuple(true, std::string("Sun Rise: 30"), 0));
}
