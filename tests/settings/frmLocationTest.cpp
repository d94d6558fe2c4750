#include "settings/frmLocation.h"

#include "platform/LaunchFailures.h"
#include "platform/ShellExecute.h"
#include "platform/registry/RegistryHives.h"
#include "platform/ui/ListComboBox.h"
#include "settings/PlaceCompleter.h"
#include "settings/RegistryError.h"
#include "testing/ManyPlaces.h"
#include "testing/ScriptedPrompt.h"
#include "testing/WidgetApplication.h"
#include "tests/settings/StoreText.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <tuple>

using namespace horvane;
using namespace horvane::test_support;
using Texts = std::vector<std::string>;
using namespace std::string_literals;

namespace {

const std::string kShorewood = "Shorewood, Wisconsin, US";
const std::string kBarrow = "Barrow, Alaska, US";
const std::string kLondon = "London, UK";
const std::string kInvalidLatitude = "Invalid latitude ... please try again.";
const std::string kPageAddressMessage =
    "No program could open the page. You can copy its address into a web browser:\n\n"
    "https://www.heavens-above.com/countries.aspx";

class ChangeLocation : public ::testing::Test {
protected:
    ChangeLocation() : dialog_(store_, prompt_) {
        QObject::connect(&dialog_, &frmLocation::saved, [this] { ++saves_; });
        store_.LoadSettings(); // the main window's start: the first-run defaults
    }
    void TearDown() override { EXPECT_EQ(prompt_.unscripted, Texts{}); }
    static std::string SaveQuestion(const std::string& name) {
        return "Save changes to '" + name + "'?";
    }
    static std::string RemoveQuestion(const std::string& name) { return "Remove '" + name + "'?"; }

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

    // Pastes a name over the combo box's text, as copied from elsewhere with what came along.
    void PasteName(const std::string& name) {
        QApplication::clipboard()->setText(QString::fromStdString(name));
        Click(dialog_.cbxLocation->lineEdit());
        dialog_.cbxLocation->lineEdit()->selectAll();
        QTest::keyClick(dialog_.cbxLocation, Qt::Key_V, Qt::ControlModifier);
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

    // The entry shown, the hands checked and the selection: "Name | 1N | 2E | 111111 | 3 of 23".
    std::string Shown() const {
        std::string shown = dialog_.cbxLocation->Text() + " | " +
                            dialog_.txtLat->text().toStdString() + " | " +
                            dialog_.txtLong->text().toStdString() + " | ";
        for (const QCheckBox* hand : {dialog_.SecondHand, dialog_.MinuteHand, dialog_.HourHand,
                                      dialog_.WeekHand, dialog_.MoonHand, dialog_.YearHand})
            shown += hand->isChecked() ? '1' : '0';
        return shown + " | " + std::to_string(dialog_.cbxLocation->ListIndex()) + " of " +
               std::to_string(dialog_.cbxLocation->ListCount());
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

// Modeless, OK the default, controls in the design's tab order. Find opens the coordinates page,
// and the dialog stays open; with nothing to open it, Find says so and gives the address to copy.
TEST_F(ChangeLocation, OpensOnTheCurrentPlaceInItsTabOrderAndFindOpensThePage) {
    Texts opened; // verb, file, parameters and show state of each request
    const ShellExecuteHandler previous = SetShellExecuteHandler([&](const auto& r) {
        opened.push_back(r.verb + " " + r.file + " '" + r.parameters + "' " +
                         std::to_string(r.showCommand));
        return kShellRequestHandedOver;
    });
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "WeekHand", REG_DWORD, {0, 0, 0, 0});
    Open();
    EXPECT_EQ(Shown(), kShorewood + " | 43.089N | 87.888W | 111011 | 19 of 23");
    EXPECT_EQ(std::pair(dialog_.isModal(), dialog_.cmdOK->isDefault()), std::pair(false, true));
    for (const QWidget* control : std::initializer_list<QWidget*>{
             dialog_.cbxLocation, dialog_.txtLat, dialog_.txtLong, dialog_.cmdOK, dialog_.cmdCancel,
             dialog_.cmdNew, dialog_.cmdRemove, dialog_.cmdFindLongLat, dialog_.SecondHand,
             dialog_.MinuteHand, dialog_.HourHand, dialog_.WeekHand, dialog_.MoonHand,
             dialog_.YearHand}) {
        EXPECT_EQ(Focused(), control) << control->metaObject()->className();
        QTest::keyClick(Focused(), Qt::Key_Tab);
    }
    Click(dialog_.cmdFindLongLat);
    SetShellExecuteHandler([](const auto&) { return SE_ERR_NOASSOC; });
    Click(dialog_.cmdFindLongLat);
    SetShellExecuteHandler(previous);
    EXPECT_EQ(std::tuple(opened, prompt_.shown, dialog_.isVisible()),
              std::tuple(Texts{"open https://www.heavens-above.com/countries.aspx '' " +
                               std::to_string(SW_SHOWNORMAL)},
                         Texts{kPageAddressMessage}, true));
}

// A launcher that gives up within the watch period (xdg-open with no browser) is told of once,
// however often Find was clicked; one that hands the page over, or fails long after, is not.
TEST_F(ChangeLocation, FindTellsOfALauncherThatGivesUpSoonAfterStarting) {
    namespace fs = std::filesystem;
    // Seconds before the launcher ends, its exit status, and whether it is told of.
    const std::tuple<long, int, bool> rows[] = {
        {0, 3, true}, {0, 0, false}, {kLaunchWatchPeriod.count() + 1, 3, false}};
    const std::string savedPath = std::getenv("PATH");
    Open();
    for (const auto& [seconds, status, told] : rows) {
        const std::string ending = std::to_string(seconds) + " s, status " + std::to_string(status);
        const fs::path launcher = hives_.Folder() / ending / "xdg-open";
        WriteFileBytes(launcher, "#!/bin/sh\nPATH=/usr/bin:/bin\nsleep " + std::to_string(seconds) +
                                     "\n: > \"$0.ended\"\nexit " + std::to_string(status) + "\n");
        fs::permissions(launcher, fs::perms::owner_all);
        setenv("PATH", launcher.parent_path().c_str(), 1);
        prompt_.errors.clear();
        Click(dialog_.cmdFindLongLat);
        Click(dialog_.cmdFindLongLat);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return fs::exists(launcher.string() + ".ended"); }, 20000));
        // A failure arrives by a queued signal, slowly on a loaded machine; a second would follow.
        EXPECT_EQ(QTest::qWaitFor([&] { return !prompt_.errors.empty(); }, told ? 15000 : 1500),
                  told);
        QTest::qWait(500);
        EXPECT_EQ(prompt_.errors, told ? Texts{kPageAddressMessage} : Texts{}) << ending;
    }
    setenv("PATH", savedPath.c_str(), 1);
}

// Esc, Cancel and the close box (as the window system sends it) leave an invalid box
// unvalidated and write nothing; the next opening shows what is stored.
TEST_F(ChangeLocation, EscCancelAndTheCloseBoxLeaveWithoutValidating) {
    const std::pair<const char*, std::function<void()>> ways[] = {
        {"Esc", [this] { QTest::keyClick(dialog_.txtLat, Qt::Key_Escape); }},
        {"Cancel", [this] { Click(dialog_.cmdCancel); }},
        {"close box", [this] { dialog_.windowHandle()->close(); }},
    };
    const std::string before = HiveBytes();
    for (const auto& [way, leave] : ways) {
        Open();
        TypeInto(dialog_.txtLat, "95N");
        leave();
        EXPECT_FALSE(dialog_.isVisible()) << way;
        Open();
        EXPECT_EQ(Shown(), kShorewood + " | 43.089N | 87.888W | 111111 | 19 of 23") << way;
        Click(dialog_.cmdCancel);
    }
    EXPECT_EQ(std::pair(prompt_.shown, HiveBytes()), std::pair(Texts{}, before));
}

// Cancel keeps the edit, No drops it, Yes saves it; with nothing edited nothing is asked.
TEST_F(ChangeLocation, ChoosingAnotherEntryAfterAnEditAsksWhetherToSaveIt) {
    Open();
    TypeInto(dialog_.txtLat, "6.167S", true);
    prompt_.answers = {PromptAnswer::Cancel, PromptAnswer::No, PromptAnswer::Yes};
    ChooseEntry(kLondon);
    EXPECT_EQ(Shown(), kShorewood + " | 6.167S | 87.888W | 111111 | 19 of 23");
    ChooseEntry(kLondon);
    EXPECT_EQ(StoredPlace(kShorewood) + " " + Shown(),
              "43.089N | 87.888W " + kLondon + " | 51.517N | .105W | 111111 | 13 of 23");
    TypeInto(dialog_.txtLat, "52N", true);
    ChooseEntry(kBarrow);
    EXPECT_EQ(StoredPlace(kLondon) + " " + Shown(),
              "52N | .105W " + kBarrow + " | 71.291N | 156.789W | 111111 | 0 of 23");
    ChooseEntry(kLondon);
    EXPECT_EQ(prompt_.shown,
              (Texts{SaveQuestion(kShorewood), SaveQuestion(kShorewood), SaveQuestion(kLondon)}));
}

// Remove takes the focus without validating, and OK validates the box left invalid. An
// invalid box keeps the focus and stops the click on every control that causes validation.
TEST_F(ChangeLocation, AnInvalidBoxKeepsTheFocusStopsTheClickAndIsNeverSaved) {
    Open();
    const std::string before = HiveBytes();
    TypeInto(dialog_.txtLong, "200E");
    prompt_.answers = {PromptAnswer::No};
    Click(dialog_.cmdRemove);
    Click(dialog_.cmdOK);
    EXPECT_EQ(Focused(), dialog_.txtLong);
    TypeInto(dialog_.txtLong, "87.888W");
    TypeInto(dialog_.txtLat, "95N", true);
    for (QWidget* control : std::initializer_list<QWidget*>{dialog_.cmdOK, dialog_.cmdNew,
                                                            dialog_.YearHand, dialog_.txtLong})
        Click(control);
    QTest::keyClick(dialog_.txtLat, Qt::Key_Return);
    QTest::keyClick(dialog_.txtLat, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(Focused(), dialog_.txtLat);
    EXPECT_EQ(Shown(), kShorewood + " | 95N | 87.888W | 111111 | 19 of 23");
    Click(dialog_.cmdCancel);
    Texts expected{RemoveQuestion(kShorewood), "Invalid longitude ... please try again."};
    expected.insert(expected.end(), 7, kInvalidLatitude);
    EXPECT_EQ(std::tuple(dialog_.isVisible(), prompt_.shown, HiveBytes()),
              std::tuple(false, expected, before));
}

// The removed entry's edits go with it: choosing another asks nothing.
TEST_F(ChangeLocation, RemoveSelectsTheFirstEntryAndDoesNothingOnTheLastPlace) {
    Open();
    ChooseEntry(kBarrow);
    TypeInto(dialog_.txtLat, "1N", true);
    prompt_.answers.assign(22, PromptAnswer::Yes);
    Click(dialog_.cmdRemove);
    ChooseEntry(kLondon);
    for (int i = 0; i < 21; ++i)
        Click(dialog_.cmdRemove);
    const std::string last = dialog_.cbxLocation->Text();
    EXPECT_FALSE(dialog_.cmdRemove->isEnabled());
    dialog_.cmdRemove_Click();
    ASSERT_EQ(prompt_.shown.size(), 22u);
    EXPECT_EQ(Texts(prompt_.shown.begin(), prompt_.shown.begin() + 2),
              (Texts{RemoveQuestion(kBarrow), RemoveQuestion(kLondon)}));
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey), Texts{last});
}

// A rename abandoned for another entry or for New deletes nothing. Cancel on the save
// question goes back to the name being typed, as often as asked; OK then renames the entry,
// also when only the case changes.
TEST_F(ChangeLocation, OnlyARenameConfirmedByOKReplacesTheEntry) {
    for (const bool forNew : {false, true}) {
        Open();
        ChooseEntry(kLondon);
        PasteName("London, England");
        forNew ? (Click(dialog_.cmdNew), PasteName("Null Island")) : ChooseEntry(kBarrow);
        Click(dialog_.cmdOK);
        EXPECT_EQ(store_.sLocation, forNew ? "Null Island" : kBarrow);
    }
    EXPECT_EQ(StoredPlace(kLondon) + " " + StoredPlace("London, England"),
              "51.517N | .105W (none)");
    Open();
    ChooseEntry(kLondon);
    PasteName("London, England");
    TypeInto(dialog_.txtLat, "52N", true);
    prompt_.answers = {PromptAnswer::Cancel, PromptAnswer::Cancel};
    ChooseEntry(kBarrow);
    ChooseEntry(kBarrow);
    EXPECT_EQ(Shown(), "London, England | 52N | .105W | 111111 | -1 of 24");
    Click(dialog_.cmdOK);
    EXPECT_EQ(std::tuple(StoredPlace(kLondon), store_.sLocation, store_.dLatitude),
              std::tuple("(none)"s, "London, England"s, 52.0));
    Open();
    PasteName("LONDON, ENGLAND");
    Click(dialog_.cmdOK);
    EXPECT_EQ(prompt_.shown, Texts(2, SaveQuestion(kLondon)));
    EXPECT_EQ(std::pair(std::ranges::count(RawSubKeys(HKEY_CURRENT_USER, kLocationsKey),
                                           "LONDON, ENGLAND"s),
                        StoredPlace("LONDON, ENGLAND")),
              std::pair(std::ptrdiff_t(1), "52N | .105W"s));
}

// OK writes the entry shown and all settings, changed or not.
TEST_F(ChangeLocation, CancelWritesNothingAndOKWritesAllTheDialogShows) {
    Open();
    Click(dialog_.MinuteHand);
    dialog_.Open(); // shown already: only raised, the edit kept
    LongLat().SaveLocation(kShorewood, "1E", "1N");
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "Location", REG_SZ, TextBytes(kLondon));
    WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "HourHand", REG_DWORD, {0, 0, 0, 0});
    Click(dialog_.MoonHand);
    QTest::keyClick(dialog_.cbxLocation, Qt::Key_Return);
    const std::string settings = kShorewood + " 101101";
    EXPECT_EQ(std::tuple(dialog_.isVisible(), saves_, StoredPlace(kShorewood), StoredSettings(),
                         SettingsOf(store_)),
              std::tuple(false, 1, "43.089N | 87.888W"s, settings, settings));
}

// New after an edit asks and saves the entry shown, then starts an empty one; Remove on the
// new entry drops its edits without asking. A name the store cannot keep is refused with a
// message, the focus in the combo box and nothing written; refused on New, it stops the New
// and keeps the edits for another try. Blanks of every kind at either end are dropped.
TEST_F(ChangeLocation, NewEntriesAreSavedUnderNamesTheStoreCanKeep) {
    setenv("HORVANE_PLACE", "Elsewhere", 1);
    const std::string empty = "Please type a name for the location.",
                      control = "A location name cannot contain line breaks, tabs or other "
                                "control characters.";
    const std::pair<std::string, std::string> refused[] = {
        {"", empty},
        {" \u00A0\u3000\t\n ", empty},
        {"Line1\nLine2\tTab", control},
        {"Rub\x7Fout", control},
        {"Next\u0085line", control},
        {"Next\u2028line", control},
        {"Paris\\France", "A location name cannot contain a backslash (\\)."},
        {std::string(256, 'a'), "A location name can be at most 255 characters long."},
        {"My %HORVANE_PLACE% home",
         "A location name cannot hold text between two percent signs (%)."},
        {"\u00A0 london, uk\r\n",
         "There is already a location named 'london, uk'. Choose it from the list to change it."}};
    Open();
    TypeInto(dialog_.txtLat, "44N");
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdNew);
    TypeInto(dialog_.txtLat, "5N", true);
    Click(dialog_.cmdRemove);
    EXPECT_EQ(std::tuple(StoredPlace(kShorewood), Shown(), prompt_.shown),
              std::tuple("44N | 87.888W"s, " | 0N | 0E | 111111 | -1 of 23"s,
                         Texts{SaveQuestion(kShorewood)}));
    const std::string before = HiveBytes();
    for (const auto& [name, message] : refused) {
        prompt_.shown.clear();
        Click(dialog_.cmdNew);
        PasteName(name);
        Click(dialog_.cmdOK);
        EXPECT_EQ(std::pair(prompt_.shown, Focused()),
                  std::pair(Texts{message}, static_cast<QWidget*>(dialog_.cbxLocation)));
    }
    EXPECT_EQ(HiveBytes(), before);
    prompt_.shown.clear();
    Click(dialog_.cmdNew);
    PasteName("Line1\nLine2");
    TypeInto(dialog_.txtLat, "12N", true);
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdNew);
    EXPECT_EQ(std::pair(prompt_.shown, Shown()),
              std::pair(Texts{SaveQuestion("Line1\nLine2"), control},
                        "Line1\nLine2 | 12N | 0E | 111111 | -1 of 23"s));
    PasteName(" Twelve North\u00A0\t");
    Click(dialog_.cmdOK);
    EXPECT_EQ(std::tuple(StoredPlace("Twelve North"), StoredSettings(), saves_),
              std::tuple("12N | 0E"s, "Twelve North 111111"s, 1));
}

// With the real message box, which takes the activation while it is shown, the focus
// still comes back to the box. Its text can be selected, to be copied.
TEST_F(ChangeLocation, WithTheRealMessageBoxTheFocusComesBackToTheBox) {
    QtMessagePrompt prompt;
    frmLocation dialog(store_, prompt);
    dialog.Open();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    dialog.txtLat->setFocus();
    dialog.txtLat->setText("95N");
    QString shown;
    Qt::TextInteractionFlags interaction;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->windowTitle() + ": " + box->text();
            interaction = box->textInteractionFlags();
            box->accept();
        }
    });
    QTest::keyClick(dialog.txtLat, Qt::Key_Tab);
    EXPECT_EQ(shown, "Horvane: " + QString::fromStdString(kInvalidLatitude));
    EXPECT_TRUE(interaction.testFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Focused() == dialog.txtLat; }));
}

// A town chosen from those offered as the name is typed fills the name and both coordinates
// as if typed and is stored only by OK; stored places come first.
TEST_F(ChangeLocation, OffersTownsAsTheNameIsTypedAndFillsTheChosenOne) {
    PlaceCompleter& places = *dialog_.Places();
    // Types a new name and chooses the offer in the row given, if any; answers the offers.
    const auto offer = [&](const QString& typed, int row) {
        Click(dialog_.cmdNew);
        QTest::keyClicks(dialog_.cbxLocation, typed);
        const QStringList offered = places.popup()->isVisible() ? places.Rows() : QStringList();
        for (int down = 0; down <= row; ++down)
            QTest::keyClick(places.popup(), Qt::Key_Down);
        QTest::keyClick(places.popup(), row < 0 ? Qt::Key_Escape : Qt::Key_Return);
        QCoreApplication::processEvents();
        return offered.mid(0, 2);
    };
    const std::string zurich = "Zürich, Zurich, CH";
    Open();
    EXPECT_EQ(offer("zur", 0).value(0), QString::fromStdString(zurich) + " — 47.37N 8.55E");
    EXPECT_EQ(Shown() + StoredPlace(zurich),
              zurich + " | 47.367N | 8.550E | 111111 | -1 of 23(none)");
    Click(dialog_.cmdOK);
    EXPECT_EQ(std::tuple(StoredPlace(zurich), store_.sLocation, store_.dLongitude),
              std::tuple("47.367N | 8.550E"s, zurich, 8.55));
    Open();
    ASSERT_FALSE(offer("lond", -1).isEmpty()); // Escape closes the list only
    EXPECT_EQ(std::tuple(places.popup()->isVisible(), dialog_.isVisible(), Shown()),
              std::tuple(false, true, "lond | 0N | 0E | 111111 | -1 of 24"s));
    EXPECT_EQ(offer("lon", 0),
              (QStringList{QString::fromStdString(kLondon), "London, England, GB — 51.51N 0.13W"}));
    EXPECT_EQ(Shown(), kLondon + " | 51.517N | .105W | 111111 | 13 of 24");
    Click(dialog_.cmdCancel);
    EXPECT_EQ(store_.sLocation, zurich);
}

class ManyPlaces : public ChangeLocation, public ::testing::WithParamInterface<int> {};

// Opening, choosing the last entry, editing it with OK, reopening, then removing it: the first
// entry is shown next.
TEST_P(ManyPlaces, ChoosingEditingAndRemovingBehaveAsWithTheDefaults) {
    const int count = GetParam();
    FillWithPlaces(count);
    Texts others = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    ListComboBox& list = *dialog_.cbxLocation;
    const auto shownEntry = [&](const std::string& name, int index) {
        return name + " | " + StoredPlace(name) + " | 111111 | " + std::to_string(index) + " of " +
               std::to_string(list.ListCount());
    };
    Open();
    ASSERT_EQ(list.ListCount(), count);
    const std::string chosen = list.List(count - 1);
    list.SetListIndex(count - 1);
    TypeInto(dialog_.txtLat, "12.5N", true);
    Click(dialog_.cmdOK);
    EXPECT_EQ(std::pair(store_.sLocation, store_.dLatitude), std::pair(chosen, 12.5));
    Open();
    EXPECT_EQ(Shown(), shownEntry(chosen, count - 1));
    prompt_.answers = {PromptAnswer::Yes};
    Click(dialog_.cmdRemove);
    std::erase(others, chosen);
    EXPECT_EQ(std::tuple(prompt_.shown, Shown(), RawSubKeys(HKEY_CURRENT_USER, kLocationsKey)),
              std::tuple(Texts{RemoveQuestion(chosen)}, shownEntry(list.List(0), 0), others));
}

INSTANTIATE_TEST_SUITE_P(Counts, ManyPlaces, ::testing::Values(kDefaultPlaceCount, 10'000),
                         [](const auto& info) { return std::to_string(info.param) + "Places"; });
