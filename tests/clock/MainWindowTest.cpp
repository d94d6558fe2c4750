#include "clock/frmMain.h"

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FaceBox.h"
#include "clock/FacePicture.h"
#include "clock/HandGeometry.h"
#include "clock/MainWindowLayout.h"
#include "clock/TickValues.h"
#include "platform/ui/ListComboBox.h"
#include "settings/DefaultLocations.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowControls.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/RawRegistry.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <deque>
#include <gtest/gtest.h>
#include <map>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// The time line, then each board row as "last | next".
std::vector<QString> Shown(const frmMain& window) {
    const ClockWindowControls controls(window);
    std::vector<QString> texts{controls.lblTime->text()};
    for (std::size_t row = 0; row < controls.lblLast.size(); ++row)
        texts.push_back(controls.lblLast[row]->text() + " | " + controls.lblNext[row]->text());
    return texts;
}

class ClockWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }
    void SetUp() override { Show(window); }

    static void Show(frmMain& shown) {
        shown.show();
        QApplication::processEvents();
    }

    void TickAt(int sec) {
        world.clock.SetSecondsOfDay(sec);
        window.Model().Tick();
    }

    // Every control of the window, by name, with its place.
    std::map<QString, QPoint> Places() const {
        std::map<QString, QPoint> places;
        for (QWidget* control : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            places[control->objectName()] = control->pos();
        return places;
    }

    ClockWindowWorld world;
    std::unique_ptr<frmMain> started_ = world.Start();
    frmMain& window = *started_;
    const ClockWindowControls controls{window};
};

using ClockWindowLayout = ClockWindow;

} // namespace

// The face is the almanac's face at the same instant.
TEST_F(ClockWindow, StartsCompactTitledWithTheBoardTheFaceAndTheLocationFromTheFirstTick) {
    EXPECT_EQ(Shown(window), (std::vector<QString>{
                                 "Fri Dec 4 26 7:30am Central Standard Time", "6:35a | Tom 6:36a",
                                 "7:07a | Tom 7:08a", "Yes 11:41a | 11:42a", "Yes 4:17p | 4:17p",
                                 "Yes 4:49p | 4:49p", "2:50a | Tom 3:57a", "Yes 1:08p | 1:30p"}));
    EXPECT_EQ(std::tuple(window.windowTitle(), controls.lblLocation->text(),
                         controls.lblNext[1]->accessibleName(), window.size(),
                         !window.Model().Paused(), controls.lblUpgrade->isVisibleTo(&window)),
              std::tuple("Horvane", "Shorewood, Wisconsin, US", "Next sunrise: Tom 7:08a",
                         QSize(269, 308), true, false));
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    EXPECT_EQ(controls.pbxFace->grab().toImage().convertToFormat(QImage::Format_RGB32),
              ComposeFacePicture(now, ComputeEventBoard(now, -360, 43.089, -87.888).timesOfDay));
}

// The letters stay swapped when the window is laid out again; a new place starts on the
// equator, which is north of it.
TEST_F(ClockWindow, ASouthernPlaceSavedInTheDialogSwapsNAndSAtTheNextTickAndBackAgain) {
    const auto tops = [this] { return std::pair(controls.lblNorth->y(), controls.lblSouth->y()); };
    const auto [bottom, top] = tops();
    ASSERT_LT(top, bottom);
    controls.cmdLocation->click();
    frmLocation& dialog = *window.Location();
    dialog.cbxLocation->SetListIndex(dialog.cbxLocation->findText("Cape Town, South Africa"));
    dialog.cmdOK->click();
    TickAt(world.clock.SecondsOfDay());
    EXPECT_EQ(tops(), std::pair(top, bottom));
    window.showMaximized();
    window.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(tops(), std::pair(top, bottom));

    controls.cmdLocation->click(); // the same dialog, with New: a place at 0N 0E
    dialog.cmdNew->click();
    QTest::keyClicks(dialog.cbxLocation, "Null Island");
    dialog.cmdOK->click();
    TickAt(world.clock.SecondsOfDay());
    EXPECT_EQ(std::pair(world.store.dLatitude, tops()), std::pair(0.0, std::pair(bottom, top)));
}

// A new minute shows the hands switched on; the location line is rewritten only by a forced
// refresh, as saving in the dialog asks for.
TEST_F(ClockWindow, ANewMinuteHidesAHandSwitchedOffAndOnlyAForcedRefreshRewritesTheLocation) {
    const HandLine& second = controls.pbxFace->Lines()[SecondHand];
    world.store.bSecondHand = False;
    world.store.sLocation = "Somewhere else";
    TickAt(7 * 3600 + 30 * 60 + 10); // same minute: the fast hands move, visibility stays
    EXPECT_TRUE(second.visible);
    TickAt(7 * 3600 + 31 * 60);
    EXPECT_EQ(
        std::tuple(second.visible, controls.lblLocation->text(), window.Model().MinuteStamp()),
        std::tuple(false, "Shorewood, Wisconsin, US", 7 * 60 + 31));
    const HandLine hidden = second;
    TickAt(7 * 3600 + 31 * 60 + 15);
    EXPECT_EQ(std::tuple(second.X2, second.Y2, controls.pbxFace->Lines()[MinuteHand].visible),
              std::tuple(hidden.X2, hidden.Y2, true));
    window.Model().ForceRefresh();
    TickAt(7 * 3600 + 31 * 60 + 16);
    EXPECT_EQ(controls.lblLocation->accessibleName(), "Location: Somewhere else");
}

// A double click on the time line, or the context menu, pauses and restarts the clock, and the
// time line and the menu say which.
TEST_F(ClockWindow, APauseShowsOnTheTimeLineAndInTheMenu) {
    QAction* pause = window.actions().at(2);
    for (const bool running : {false, true, false}) {
        if (running)
            pause->trigger();
        else
            QTest::mouseDClick(controls.lblTime, Qt::LeftButton);
        EXPECT_EQ(pause->text(), running ? "Pause" : "Resume");
        const QString line =
            QString(running ? "" : "(paused) ") + "Fri Dec 4 26 7:30am Central Standard Time";
        ASSERT_EQ(
            std::tuple(!window.Model().Paused(), controls.lblTime->text(),
                       controls.lblTime->accessibleName()),
            std::tuple(running, line,
                       "Date, time and zone: " + line + ". Day length 9h 10m (\u22121m 15s)"));
    }
}

// The screen is repainted only where a hand moved: each old second hand must be among the
// places repainted, or it stays behind as a ghost.
TEST_F(ClockWindow, TheSecondHandLeavesNoTrailOnTheScreen) {
    for (int second = 1; second <= 5; ++second) {
        TickAt(7 * 3600 + 30 * 60 + second);
        QApplication::processEvents();
    }
    const QImage screen = window.screen()->grabWindow(window.winId()).toImage();
    EXPECT_EQ(screen.convertToFormat(QImage::Format_RGB32),
              window.grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Light at noon with dark text, dark at midnight with light text; inside the evening ramp the
// colour changes between full refreshes. At 78N under the midnight sun the sky is the day's at
// half past midnight and the board, the time line's tooltip and its accessible name say why.
TEST_F(ClockWindow, TheSkyIsLightAtNoonDarkAtMidnightAndFadesTickByTickInTwilight) {
    const auto sky = [this] {
        return std::pair(window.BackColor(), controls.lblUpgrade->palette().windowText().color());
    };
    TickAt(12 * 3600);
    EXPECT_EQ(sky(), std::pair(SkyColour(230), QColor(Qt::black)));
    TickAt(0);
    EXPECT_EQ(sky(), std::pair(SkyColour(20), QColor(Qt::white)));
    const int minuteStart = (window.Model().TimesOfDay().SunsetSec / 60 + 2) * 60;
    TickAt(minuteStart);
    TickAt(minuteStart + 50);
    EXPECT_EQ(window.BackColor(),
              SkyColour(SkyLevelAt(minuteStart + 50, window.Model().TimesOfDay())));

    world.store.dLatitude = 78;
    world.store.dLongitude = 15;
    world.clock.Set(2026, 6, 21, 0, 30, 0);
    window.Model().ForceRefresh();
    window.Model().Tick();
    const QString upAllDay = "Day length up all day, next sunset 2026-08-24";
    EXPECT_EQ((std::vector{controls.lblLast[1]->accessibleName(), controls.lblTime->text(),
                           controls.lblTime->toolTip().section('\n', 1)}),
              (std::vector<QString>{"Last sunrise: none, the sun is up all day",
                                    "Sun Jun 21 26 12:30am Central Standard Time", upAllDay}));
    EXPECT_EQ(
        std::pair(window.BackColor(), controls.lblTime->accessibleName().endsWith(". " + upAllDay)),
        std::pair(SkyColour(230), true));
}

TEST_F(ClockWindowLayout, TheSizeButtonWidensAndRestoresTheCompactWindow) {
    QPushButton& size = *controls.cmdSize;
    const auto designed = Places();
    size.click();
    EXPECT_EQ(std::tuple(window.frameGeometry().width(), window.height(), size.text()),
              std::tuple(509, 308, QString("&<<")));
    EXPECT_EQ(Places(), designed); // the board is only uncovered
    size.click();
    EXPECT_EQ(std::pair(window.size(), size.text()), std::pair(QSize(269, 308), QString("&>>")));
    // A window dragged wider than the wide size narrows to the compact one.
    window.resize(600, 350);
    EXPECT_EQ(size.text(), "&<<");
    size.click();
    EXPECT_EQ(window.size(), QSize(269, 308));
}

// Each control moves by half the width and a third of the height the window has over its wide
// size, rounded with halves to the even neighbour; smaller, nothing moves. Maximized or minimized
// (which sends no resize) the size button hides, and restored, the arrangement is as before.
TEST_F(ClockWindowLayout, ExtraRoomCentresTheArrangementAndFullStatesHideTheSizeButton) {
    const auto designed = Places();
    ASSERT_EQ(std::pair(designed.at("lblNorth").x(), designed.at("lblTime").x()),
              std::pair(131, 12));
    const auto arranged = [&](QSize client) {
        const QPointF shift(std::max(0, client.width() - 509) / 2.0,
                            std::max(0, client.height() - 308) / 3.0);
        std::map<QString, QPoint> places;
        for (const auto& [name, place] : designed) {
            const QPointF moved = QPointF(place) + shift;
            places[name] = QPoint(int(std::nearbyint(moved.x())), int(std::nearbyint(moved.y())));
        }
        return places;
    };
    for (const QSize size : {QSize(200, 250), QSize(509 + 1, 308 + 2), QSize()}) {
        size.isValid() ? window.resize(size) : window.showMaximized();
        QApplication::processEvents();
        EXPECT_EQ(Places(), arranged(window.size())) << window.width();
    }
    window.showNormal();
    QApplication::processEvents();
    const auto restored = Places();
    for (const Qt::WindowState state : {Qt::WindowMaximized, Qt::WindowMinimized}) {
        window.setWindowState(state);
        QApplication::processEvents();
        const bool hidden = !controls.cmdSize->isVisibleTo(&window);
        window.setWindowState(Qt::WindowNoState);
        QApplication::processEvents();
        EXPECT_EQ(std::tuple(hidden, controls.cmdSize->isVisibleTo(&window), Places()),
                  std::tuple(true, true, restored))
            << state;
    }
}

TEST_F(ClockWindow, AFirstResizeWithNoClientHeightRecordsNothingLasting) {
    const std::unique_ptr<frmMain> fresh = world.Start();
    fresh->resize(269, 0);
    QResizeEvent flattened(QSize(269, 0), QSize(269, 308));
    QApplication::sendEvent(fresh.get(), &flattened);
    EXPECT_FALSE(fresh->Layout().Recorded());
    fresh->resize(269, 308);
    Show(*fresh);
    EXPECT_EQ(
        std::pair(fresh->Layout().InitialScaleHeight, ClockWindowControls(*fresh).cmdSize->text()),
        std::pair(308, QString("&>>")));
}

// The location as the Windows program stored it, in its ANSI code page: the window shows it with
// replacement characters, the dialog selects nothing, and closing both keeps every place.
TEST_F(ClockWindow, ALocationNotInUtf8IsShownAsFarAsItReadsAndLosesNoPlace) {
    const std::vector<std::string> places = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kSettingsKey, "Location", REG_SZ,
                       TextBytes("Ciudad de M\xE9xico, M\xE9xico")),
              ERROR_SUCCESS);
    const std::unique_ptr<frmMain> edited = world.Start();
    const ClockWindowControls shown(*edited);
    shown.cmdLocation->click();
    frmLocation& dialog = *edited->Location();
    EXPECT_EQ(std::pair(shown.lblLocation->text(), dialog.cbxLocation->ListIndex()),
              std::pair(QString("Ciudad de M\uFFFDxico, M\uFFFDxico"), -1));
    dialog.cmdCancel->click();
    edited->close();
    EXPECT_EQ(std::pair(world.prompt.errors, RawSubKeys(HKEY_CURRENT_USER, kLocationsKey)),
              std::pair(std::vector<std::string>{}, places));
}

// Closing the window while its location dialog is open: what was typed into the latitude box
// (left with Tab or not) and the answer to the save question. Yes saves the entry and No drops
// the edits, and both windows close as without the dialog; Cancel, or a box that does not parse,
// keeps both open with the edits. The settings are saved only when the window closes.
TEST_F(ClockWindow, ClosingWithTheDialogOpenAsksTheDialogsOwnQuestionFirst) {
    const std::vector<std::string> save = {"Save changes to 'Shorewood, Wisconsin, US'?"};
    const std::tuple<QString, bool, std::deque<PromptAnswer>, bool, std::string,
                     std::vector<std::string>>
        rows[] = {{"44N", true, {PromptAnswer::Cancel}, false, "43.089N", save},
                  {"95N", false, {}, false, "43.089N", {"Invalid latitude ... please try again."}},
                  {"44N", true, {PromptAnswer::No}, true, "43.089N", save},
                  {"44N", false, {PromptAnswer::Yes}, true, "44N", save}};
    for (const auto& [typed, tabbedAway, answers, closes, storedLatitude, shown] : rows) {
        const std::unique_ptr<frmMain> closing = world.Start();
        Show(*closing);
        ClockWindowControls(*closing).cmdLocation->click();
        frmLocation& dialog = *closing->Location();
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {},
                          dialog.txtLat->geometry().center());
        dialog.txtLat->selectAll();
        QTest::keyClicks(dialog.txtLat, typed);
        if (tabbedAway)
            QTest::keyClick(dialog.txtLat, Qt::Key_Tab);
        world.prompt.shown.clear();
        world.prompt.answers = answers;
        world.store.bMoonHand = False;
        closing->windowHandle()->close();
        std::string longitude, latitude;
        LongLat().ReadLocation(kDefaultLocationName, longitude, latitude);
        EXPECT_EQ(std::tuple(world.prompt.shown, closing->isVisible(), dialog.isVisible(),
                             closing->FaceBufferReleased(), latitude, Stored().bMoonHand,
                             dialog.txtLat->text()),
                  std::tuple(shown, !closes, !closes, closes, storedLatitude, closes ? False : True,
                             closes ? dialog.txtLat->text() : typed))
            << typed.toStdString() << " " << closes;
        if (!closes) { // no question is left open
            world.store.bMoonHand = True;
            dialog.cmdCancel->click();
            closing->close();
        }
    }
}

// Every control of both windows has something for a screen reader to say, a new place's empty
// name included.
TEST_F(ClockWindow, EveryControlOfBothWindowsHasAnAccessibleName) {
    controls.cmdLocation->click();
    frmLocation& dialog = *window.Location();
    dialog.cmdNew->click();
    const auto name = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    std::vector<std::string> unnamed;
    for (QWidget* shown : std::initializer_list<QWidget*>{&window, &dialog}) {
        for (QWidget* control : shown->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (control->isVisibleTo(shown) && name(control).isEmpty())
                unnamed.push_back(control->metaObject()->className() +
                                  (" " + control->objectName()).toStdString());
        }
    }
    EXPECT_EQ(unnamed, std::vector<std::string>{});
}
