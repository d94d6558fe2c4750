#include "settings/frmLocation.h"

#include "platform/ShellExecute.h"
#include "platform/registry/RegistryHives.h"
#include "platform/ui/ListComboBox.h"
#include "settings/RegistryError.h"
#include "testing/ScriptedPrompt.h"
#include "testing/WidgetApplication.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <tuple>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const std::string kShorewood = "Shorewood, Wisconsin, US";
const std::string kBarrow = "Barrow, Alaska, US";
const std::string kBuenosAires = "Buenos Aires, Argentina";
const std::string kLondon = "London, UK";
const std::string kSaveShorewood = "Save changes to '" + kShorewood + "'?";
const std::string kInvalidLatitude = "Invalid latitude ... please try again.";

std::string LocationKey(const std::string& name) {
    return std::string(kLocationsKey) + "\\" + name;
}

// The stored text of one value, or "(none)" when it is missing.
std::string Stored(const std::string& key, const char* value) {
    const RawValue raw = ReadRaw(HKEY_CURRENT_USER, key, value);
    if (raw.result != ERROR_SUCCESS)
        return "(none)";
    return std::string(raw.data.begin(), raw.data.end() - 1);
}

std::string StoredLatitude(const std::string& name) {
    return Stored(LocationKey(name), "Latitude");
}

std::size_t StoredPlaceCount() {
    return RawSubKeys(HKEY_CURRENT_USER, kLocationsKey).size();
}

class ChangeLocation : public ::testing::Test {
protected:
    ChangeLocation() : dialog_(store_, prompt_, [this] { ++saves_; }) {
        store_.LoadSettings(); // the main window's start: the first-run defaults
    }
    void TearDown() override { EXPECT_EQ(prompt_.unscripted, std::vector<std::string>{}); }

    void Open() {
        dialog_.Open();
        dialog_.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog_));
    }

    static QWidget* Focused() { return QApplication::focusWidget(); }

    // A click as the window system delivers it: to the window, at the control's place.
    void Click(QWidget* control, QPoint at = {-1, -1}) {
        if (at == QPoint(-1, -1))
            at = control->rect().center();
        QTest::mouseClick(dialog_.windowHandle(), Qt::LeftButton, {}, control->mapTo(&dialog_, at));
    }

    // Clicks into the box and types the text over what it held; Tab leaves it after.
    void TypeInto(QLineEdit* box, const QString& text, bool leave = false) {
        Click(box);
        box->selectAll();
        QTest::keyClicks(box, text);
        if (leave)
            QTest::keyClick(box, Qt::Key_Tab);
    }

    // Types a name over the combo box's text, as for a new or renamed entry.
    void TypeName(const QString& name) {
        Click(dialog_.cbxLocation->lineEdit());
        dialog_.cbxLocation->lineEdit()->selectAll();
        QTest::keyClick(dialog_.cbxLocation, Qt::Key_Delete);
        QTest::keyClicks(dialog_.cbxLocation, name);
    }

    // Opens the list with a click on its arrow and chooses the entry with Enter.
    void ChooseEntry(const std::string& name) {
        ListComboBox* combo = dialog_.cbxLocation;
        Click(combo, QPoint(combo->width() - 4, combo->height() / 2));
        if (!combo->view()->isVisible())
            return; // the click did not happen
        const int index = combo->findText(QString::fromStdString(name));
        ASSERT_GE(index, 0) << name;
        combo->view()->setCurrentIndex(combo->model()->index(index, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }

    // The entry shown: name, latitude and longitude.
    std::string Shown() const {
        return dialog_.cbxLocation->Text() + " | " + dialog_.txtLat->text().toStdString() + " | " +
               dialog_.txtLong->text().toStdString();
    }

    std::string HiveBytes() const { return ReadFileBytes(hives_.UserHive()); }

    QApplication& application_ = TestApplication();
    TemporaryHives hives_;
    LongLat store_;
    ScriptedPrompt prompt_;
    int saves_ = 0;
    frmLocation dialog_;
};

} // namespace

TEST_F(ChangeLocation, OpensOnTheCurrentPlaceWithItsTextsAndHands) {
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "WeekHand", REG_DWORD, {0, 0, 0, 0});
    Open();
    EXPECT_EQ(dialog_.windowTitle(), "Change Location");
    EXPECT_FALSE(dialog_.isModal());
    EXPECT_EQ(dialog_.cbxLocation->ListCount(), 23);
    EXPECT_EQ(dialog_.cbxLocation->ListIndex(), 19);
    EXPECT_EQ(Shown(), kShorewood + " | 43.089N | 87.888W");
    EXPECT_TRUE(dialog_.cmdRemove->isEnabled());
    EXPECT_TRUE(dialog_.SecondHand->isChecked());
    EXPECT_FALSE(dialog_.WeekHand->isChecked());
    EXPECT_TRUE(dialog_.cmdOK->isDefault());
    EXPECT_EQ(Focused(), dialog_.cbxLocation);
    EXPECT_TRUE(prompt_.shown.empty());
}

TEST_F(ChangeLocation, PlacesTheControlsAtTheirDesignPositionsInTabOrder) {
    Open();
    ASSERT_EQ(dialog_.logicalDpiX(), 96);
    EXPECT_EQ(dialog_.size(), QSize(336, 158));
    EXPECT_EQ(dialog_.cbxLocation->geometry(), QRect(5, 7, 328, 21));
    EXPECT_EQ(dialog_.txtLong->geometry(), QRect(215, 34, 55, 19));
    EXPECT_EQ(dialog_.cmdFindLongLat->geometry(), QRect(280, 130, 54, 21));
    EXPECT_EQ(dialog_.MoonHand->geometry(), QRect(130, 86, 64, 17));
    EXPECT_DOUBLE_EQ(dialog_.font().pointSizeF(), 8.25);
    for (QLabel* label : {dialog_.lblLat, dialog_.lblLong, dialog_.Label1})
        EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop) << label->text().toStdString();
    const QWidget* order[] = {dialog_.cbxLocation, dialog_.txtLat,         dialog_.txtLong,
                              dialog_.cmdOK,       dialog_.cmdCancel,      dialog_.cmdNew,
                              dialog_.cmdRemove,   dialog_.cmdFindLongLat, dialog_.SecondHand,
                              dialog_.MinuteHand,  dialog_.HourHand,       dialog_.WeekHand,
                              dialog_.MoonHand,    dialog_.YearHand};
    for (const QWidget* control : order) {
        EXPECT_EQ(Focused(), control) << control->metaObject()->className();
        QTest::keyClick(Focused(), Qt::Key_Tab);
    }
}

// Cancel keeps the edit, No drops it, Yes saves it; with nothing edited nothing is asked.
TEST_F(ChangeLocation, ChoosingAnotherEntryAfterAnEditAsksWhetherToSaveIt) {
    Open();
    TypeInto(dialog_.txtLat, "6.167S", true);
    prompt_.answers = {PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Yes};
    ChooseEntry(kLondon);
    EXPECT_EQ(Shown(), kShorewood + " | 6.167S | 87.888W");
    EXPECT_EQ(dialog_.cbxLocation->ListIndex(), 19);
    ChooseEntry(kLondon);
    EXPECT_EQ(StoredLatitude(kShorewood), "43.089N");
    EXPECT_EQ(Shown(), kLondon + " | 51.517N | .105W");
    TypeInto(dialog_.txtLat, "52N", true);
    ChooseEntry(kBarrow);
    EXPECT_EQ(StoredLatitude(kLondon), "52N");
    EXPECT_EQ(Shown(), kBarrow + " | 71.291N | 156.789W");
    ChooseEntry(kLondon);
    EXPECT_EQ(prompt_.shown, (std::vector<std::string>{kSaveShorewood, kSaveShorewood,
                                                       "Save changes to '" + kLondon + "'?"}));
}

// 95N keeps the focus; the click on each control that causes validation does not happen, and
// Cancel still closes the dialog.
TEST_F(ChangeLocation, AnInvalidLatitudeKeepsTheFocusAndStopsTheClick) {
    Open();
    const std::string before = HiveBytes();
    TypeInto(dialog_.txtLat, "95N", true);
    for (QWidget* control :
         std::initializer_list<QWidget*>{dialog_.cmdOK, dialog_.cmdNew, dialog_.YearHand,
                                         dialog_.txtLong, dialog_.cbxLocation->lineEdit()})
        Click(control);
    QTest::keyClick(dialog_.txtLat, Qt::Key_Return);
    QTest::keyClick(dialog_.txtLat, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(prompt_.shown, std::vector<std::string>(8, kInvalidLatitude));
    EXPECT_EQ(Focused(), dialog_.txtLat);
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_TRUE(dialog_.YearHand->isChecked());
    EXPECT_EQ(Shown(), kShorewood + " | 95N | 87.888W");
    Click(dialog_.cmdCancel);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(prompt_.shown.size(), 8u);
    EXPECT_EQ(HiveBytes(), before);
    EXPECT_EQ(saves_, 0);
}

// Remove takes the focus without validating; the box validates when OK is used next.
TEST_F(ChangeLocation, AnInvalidTextLeftForRemoveIsCheckedBeforeOK) {
    Open();
    TypeInto(dialog_.txtLong, "200E");
    prompt_.answers = {PromptAnswer::No};
    Click(dialog_.cmdRemove);
    Click(dialog_.cmdOK);
    EXPECT_EQ(prompt_.shown, (std::vector<std::string>{"Remove '" + kShorewood + "'?",
                                                       "Invalid longitude ... please try again."}));
    EXPECT_EQ(Focused(), dialog_.txtLong);
    EXPECT_EQ(Stored(LocationKey(kShorewood), "Longitude"), "87.888W");
    EXPECT_TRUE(dialog_.isVisible());
}

// New after an edit asks and saves the entry shown, then starts an empty one; Remove on the
// new entry drops its edits without asking and starts afresh.
TEST_F(ChangeLocation, NewNameAndOKCreateThePlaceAndMakeItCurrent) {
    Open();
    TypeInto(dialog_.txtLat, "44N");
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdNew);
    EXPECT_EQ(StoredLatitude(kShorewood), "44N");
    TypeInto(dialog_.txtLat, "5N", true);
    Click(dialog_.cmdRemove);
    EXPECT_EQ(prompt_.shown, std::vector<std::string>{kSaveShorewood});
    EXPECT_EQ(Focused(), dialog_.cbxLocation);
    EXPECT_EQ(Shown(), " | 0N | 0E");
    QTest::keyClicks(dialog_.cbxLocation, "Null Island");
    Click(dialog_.cmdOK);
    EXPECT_EQ(StoredLatitude("Null Island"), "0N");
    EXPECT_EQ(Stored(LocationKey("Null Island"), "Longitude"), "0E");
    EXPECT_EQ(Stored(kSettingsKey, "Location"), "Null Island");
    EXPECT_EQ(store_.sLocation, "Null Island");
    EXPECT_EQ(store_.dLatitude, 0);
    EXPECT_EQ(saves_, 1);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(StoredPlaceCount(), 24u);
}

TEST_F(ChangeLocation, RemoveDoesNothingOnTheLastPlaceAndSelectsTheNextAfterTheFirst) {
    Open();
    ChooseEntry(kBarrow);
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdRemove);
    EXPECT_EQ(prompt_.shown, std::vector<std::string>{"Remove '" + kBarrow + "'?"});
    EXPECT_EQ(StoredLatitude(kBarrow), "(none)");
    EXPECT_EQ(Shown(), kBuenosAires + " | 34.613S | 58.470W");
    EXPECT_EQ(dialog_.cbxLocation->ListIndex(), 0);
    EXPECT_EQ(dialog_.cbxLocation->ListCount(), 22);
    prompt_.answers.assign(21, PromptAnswer::Yes);
    for (int i = 0; i < 21; ++i)
        Click(dialog_.cmdRemove);
    EXPECT_EQ(dialog_.cbxLocation->ListCount(), 1);
    EXPECT_FALSE(dialog_.cmdRemove->isEnabled());
    dialog_.cmdRemove_Click();
    EXPECT_EQ(prompt_.shown.size(), 22u);
    EXPECT_EQ(StoredPlaceCount(), 1u);
}

// The edits of a removed entry never land on the entry shown after it.
TEST_F(ChangeLocation, TheEditsOfARemovedEntryGoWithIt) {
    Open();
    ChooseEntry(kBarrow);
    TypeInto(dialog_.txtLat, "1N", true);
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdRemove);
    ChooseEntry(kLondon);
    Click(dialog_.cmdOK);
    EXPECT_EQ(prompt_.shown, std::vector<std::string>{"Remove '" + kBarrow + "'?"});
    EXPECT_EQ(StoredLatitude(kBuenosAires), "34.613S");
    EXPECT_EQ(store_.sLocation, kLondon);
}

// Cancel on the save question goes back to the name being typed, as often as asked; OK then
// renames the entry.
TEST_F(ChangeLocation, CancellingAChoiceKeepsTheNameBeingTyped) {
    Open();
    TypeName("Shorewood, WI");
    TypeInto(dialog_.txtLat, "43.1N", true);
    prompt_.answers = {PromptAnswer::Cancel, PromptAnswer::Cancel};
    for (int i = 0; i < 2; ++i) {
        ChooseEntry(kLondon);
        EXPECT_EQ(Shown(), "Shorewood, WI | 43.1N | 87.888W");
        EXPECT_EQ(dialog_.cbxLocation->ListIndex(), -1);
    }
    Click(dialog_.cmdOK);
    EXPECT_EQ(StoredLatitude("Shorewood, WI"), "43.1N");
    EXPECT_EQ(StoredLatitude(kShorewood), "(none)");
    EXPECT_EQ(StoredLatitude(kLondon), "51.517N");
    EXPECT_EQ(store_.sLocation, "Shorewood, WI");
    EXPECT_EQ(std::pair(store_.dLatitude, store_.dLongitude), std::pair(43.1, -87.888));
}

TEST_F(ChangeLocation, ARenameAbandonedForAnotherEntryDeletesNothing) {
    Open();
    ChooseEntry(kLondon);
    TypeName("London, England");
    ChooseEntry(kBarrow);
    Click(dialog_.cmdOK);
    EXPECT_EQ(StoredLatitude(kLondon), "51.517N");
    EXPECT_EQ(StoredLatitude("London, England"), "(none)");
    EXPECT_EQ(StoredPlaceCount(), 23u);
    EXPECT_EQ(store_.sLocation, kBarrow);
}

TEST_F(ChangeLocation, ARenameAbandonedForNewDeletesNothing) {
    Open();
    ChooseEntry(kLondon);
    TypeName("London, England");
    Click(dialog_.cmdNew);
    QTest::keyClicks(dialog_.cbxLocation, "Null Island");
    Click(dialog_.cmdOK);
    EXPECT_EQ(StoredLatitude(kLondon), "51.517N");
    EXPECT_EQ(StoredLatitude("Null Island"), "0N");
    EXPECT_EQ(StoredPlaceCount(), 24u);
}

TEST_F(ChangeLocation, OKWithNothingChangedRewritesTheEntryAndTheSettings) {
    Open();
    WriteRaw(HKEY_CURRENT_USER, LocationKey(kShorewood), "Latitude", REG_SZ, TextBytes("1N"));
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "Location", REG_SZ, TextBytes(kLondon));
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "HourHand", REG_DWORD, {0, 0, 0, 0});
    QTest::keyClick(dialog_.cbxLocation, Qt::Key_Return);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(StoredLatitude(kShorewood), "43.089N");
    EXPECT_EQ(Stored(kSettingsKey, "Location"), kShorewood);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "HourHand").data,
              std::vector<BYTE>(4, 0xFF));
    EXPECT_EQ(saves_, 1);
}

TEST_F(ChangeLocation, TheHandCheckBoxesRoundTripThroughTheStore) {
    Open();
    Click(dialog_.MinuteHand);
    Click(dialog_.MoonHand);
    Click(dialog_.cmdOK);
    EXPECT_EQ(std::tuple(store_.bMinuteHand, store_.bMoonHand, store_.bYearHand),
              std::tuple(False, False, True));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "MoonHand").data, std::vector<BYTE>(4, 0));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "YearHand").data,
              std::vector<BYTE>(4, 0xFF));
    Open();
    EXPECT_FALSE(dialog_.MinuteHand->isChecked());
    EXPECT_FALSE(dialog_.MoonHand->isChecked());
    EXPECT_TRUE(dialog_.HourHand->isChecked());
}

// Opening the shown dialog only raises it; once cancelled, it reloads at the next opening.
TEST_F(ChangeLocation, CancelKeepsTheStoreAndAReopenedDialogReloads) {
    Open();
    TypeInto(dialog_.txtLat, "44N");
    Click(dialog_.MinuteHand);
    dialog_.Open();
    EXPECT_EQ(Shown(), kShorewood + " | 44N | 87.888W");
    QTest::keyClick(dialog_.txtLat, Qt::Key_Escape);
    EXPECT_FALSE(dialog_.isVisible());
    EXPECT_EQ(StoredLatitude(kShorewood), "43.089N");
    EXPECT_EQ(store_.bMinuteHand, True);
    Open();
    EXPECT_EQ(Shown(), kShorewood + " | 43.089N | 87.888W");
    EXPECT_TRUE(dialog_.MinuteHand->isChecked());
    EXPECT_EQ(saves_, 0);
}

// The current place removed and the dialog cancelled: the next opening selects nothing
// and shows the form's own texts, and OK asks for a name instead of writing an empty one.
TEST_F(ChangeLocation, ACurrentPlaceThatWasRemovedLoadsWithoutASelection) {
    Open();
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdRemove);
    Click(dialog_.cmdCancel);
    Open();
    EXPECT_EQ(dialog_.cbxLocation->ListIndex(), -1);
    EXPECT_EQ(Shown(), " | 43.089N | 87.888W");
    const std::string before = HiveBytes();
    Click(dialog_.cmdOK);
    EXPECT_EQ(prompt_.shown.back(), "Please type a name for the location.");
    EXPECT_EQ(HiveBytes(), before);
}

TEST_F(ChangeLocation, FindOpensTheCoordinatesPageAndStaysOpen) {
    std::vector<ShellExecuteRequest> requests;
    const ShellExecuteHandler previous =
        SetShellExecuteHandler([&requests](const ShellExecuteRequest& request) {
            requests.push_back(request);
            return kShellRequestHandedOver;
        });
    Open();
    Click(dialog_.cmdFindLongLat);
    SetShellExecuteHandler(previous);
    ASSERT_EQ(requests.size(), 1u);
    const ShellExecuteRequest& r = requests[0];
    EXPECT_EQ(
        std::tie(r.file, r.verb, r.parameters, r.showCommand),
        std::make_tuple("https://www.heavens-above.com/countries.aspx", "open", "", SW_SHOWNORMAL));
    EXPECT_TRUE(dialog_.isVisible());
}

TEST_F(ChangeLocation, ARegistryErrorLeavesTheHandler) {
    Open();
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    WriteFileBytes(hives_.UserHive(), "damaged");
    EXPECT_THROW(dialog_.cmdOK_Click(), RegistryError);
    EXPECT_THROW(dialog_.Form_Load(), RegistryError);
}

namespace {

struct RefusedName {
    const char* label;
    std::string name;
    std::string message;
};

class RefusedNames : public ChangeLocation, public ::testing::WithParamInterface<RefusedName> {};

} // namespace

// New, the name, OK: the message, the focus in the combo box, the hive unchanged.
TEST_P(RefusedNames, AreRefusedWithAMessageAndNothingWritten) {
    setenv("HORVANE_PLACE", "Elsewhere", 1);
    Open();
    const std::string before = HiveBytes();
    Click(dialog_.cmdNew);
    QTest::keyClicks(dialog_.cbxLocation, QString::fromStdString(GetParam().name));
    Click(dialog_.cmdOK);
    EXPECT_EQ(prompt_.shown, std::vector<std::string>{GetParam().message});
    EXPECT_EQ(Focused(), dialog_.cbxLocation);
    EXPECT_TRUE(dialog_.isVisible());
    EXPECT_EQ(HiveBytes(), before);
    EXPECT_EQ(saves_, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedNames,
    ::testing::Values(
        RefusedName{"Empty", "", "Please type a name for the location."},
        RefusedName{"Backslash", "Paris\\France",
                    "A location name cannot contain a backslash (\\)."},
        RefusedName{"TooLong", std::string(256, 'a'),
                    "A location name can be at most 255 characters long."},
        RefusedName{"PercentPair", "My %HORVANE_PLACE% home",
                    "A location name cannot hold text between two percent signs (%)."},
        RefusedName{"AnotherPlace", "london, uk",
                    "There is already a location named 'london, uk'. Choose it from the list "
                    "to change it."}),
    [](const ::testing::TestParamInfo<RefusedName>& info) { return info.param.label; });

TEST_F(ChangeLocation, ARefusedNameOnNewKeepsTheEditsForAnotherTry) {
    Open();
    Click(dialog_.cmdNew);
    QTest::keyClicks(dialog_.cbxLocation, "a\\b");
    TypeInto(dialog_.txtLat, "12N", true);
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdNew);
    EXPECT_EQ(prompt_.shown.back(), "A location name cannot contain a backslash (\\).");
    EXPECT_EQ(Shown(), "a\\b | 12N | 0E");
    TypeName("Twelve North");
    Click(dialog_.cmdOK);
    EXPECT_EQ(StoredLatitude("Twelve North"), "12N");
}

// With the real message box, which takes the activation while it is shown, the focus
// still comes back to the box.
TEST(ChangeLocationMessageBox, GivesTheFocusBackToTheBox) {
    TestApplication();
    TemporaryHives hives;
    LongLat store;
    QtMessagePrompt prompt;
    frmLocation dialog(store, prompt, [] {});
    dialog.Open();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.txtLat->setFocus();
    dialog.txtLat->setText("95N");
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + ": " + box->text();
            box->accept();
        }
    });
    QTest::keyClick(dialog.txtLat, Qt::Key_Tab);
    EXPECT_EQ(shown, "Horvane: Invalid latitude ... please try again.");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == dialog.txtLat; }));
}
