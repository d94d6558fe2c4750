#include "clock/frmMain.h"

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FaceBox.h"
#include "clock/FacePicture.h"
#include "clock/TickValues.h"
#include "platform/ui/ListComboBox.h"
#include "settings/LongLat.h"
#include "settings/frmLocation.h"
#include "tests/support/ClockWindowWorld.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class ClockWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    frmMain& Window() {
        if (!window_)
            window_ = world_.Start();
        return *window_;
    }

    // Runs one tick at the given seconds of the clock's day.
    void TickAt(int sec) {
        world_.clock.SetSecondsOfDay(sec);
        Window().Timer1_Timer();
    }

    // What another run of the program would read from the hive.
    static LongLat Stored() {
        LongLat stored;
        stored.ReadSettings();
        return stored;
    }

    static void DoubleClick(QWidget* widget) {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(2, 2),
                          widget->mapToGlobal(QPointF(2, 2)), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(widget, &click);
    }

    std::string Text(QLabel* label) const { return label->text().toStdString(); }

    ClockWindowWorld world_;
    std::unique_ptr<frmMain> window_;
};

} // namespace

TEST_F(ClockWindow, StartsCompactTitledWithTheBoardAndTheLocationFromTheFirstTick) {
    frmMain& window = Window();

    EXPECT_EQ(window.windowTitle(), "Horvane");
    EXPECT_EQ(window.size(), QSize(269, 308));
    EXPECT_EQ(window.lSecsBase, 7 * 60 + 30);
    EXPECT_EQ(Text(window.lblLocation), "Shorewood, Wisconsin, US");
    EXPECT_TRUE(window.lblTime->text().endsWith(" 7:30am Central Standard Time"));
    EXPECT_EQ(window.UtcOffsetMinutes, -360);
    // The board of the worked example: last and next of each row.
    const char* const expected[][2] = {{"6:35a", "Tom 6:36a"},   {"7:07a", "Tom 7:08a"},
                                       {"Yes 11:41a", "11:42a"}, {"Yes 4:17p", "4:17p"},
                                       {"Yes 4:49p", "4:49p"},   {"2:50a", "Tom 3:57a"},
                                       {"Yes 1:08p", "1:30p"}};
    for (int row = 0; row < 7; ++row) {
        EXPECT_EQ(Text(window.lblLast[row]), expected[row][0]) << row;
        EXPECT_EQ(Text(window.lblNext[row]), expected[row][1]) << row;
    }
    EXPECT_EQ(window.lblNext[1]->accessibleName(), "Next sunrise: Tom 7:08a");
    EXPECT_EQ(window.lblLast[6]->accessibleName(), "Last moonset: Yes 1:08p");
    EXPECT_FALSE(window.lblUpgrade->isVisibleTo(&window));
    EXPECT_FALSE(window.Label("Label9")->isVisibleTo(&window));
    EXPECT_TRUE(window.Label("Label4")->isVisibleTo(&window));
    EXPECT_EQ(Text(window.Label("Label4")), "Sun Rise");
    EXPECT_TRUE(window.Timer1.isActive());
    EXPECT_EQ(window.Timer1.interval(), 500);
}

TEST_F(ClockWindow, OnlyAForcedRefreshRewritesTheLocationLine) {
    frmMain& window = Window();
    world_.store.sLocation = "Somewhere else";

    TickAt(7 * 3600 + 31 * 60);
    EXPECT_EQ(Text(window.lblLocation), "Shorewood, Wisconsin, US");
    EXPECT_EQ(window.lSecsBase, 7 * 60 + 31);

    window.lSecsBase = -1;
    TickAt(7 * 3600 + 31 * 60 + 1);
    EXPECT_EQ(Text(window.lblLocation), "Somewhere else");
    EXPECT_EQ(window.lblLocation->accessibleName(), "Location: Somewhere else");
}

TEST_F(ClockWindow, LocalMidnightWrapsToANewMinute) {
    world_.clock.Set(2026, 12, 4, 23, 59, 59);
    frmMain& window = Window();
    EXPECT_EQ(window.lSecsBase, 1439);

    world_.clock.Set(2026, 12, 5, 0, 0, 0);
    window.Timer1_Timer();
    EXPECT_EQ(window.lSecsBase, 0);
    EXPECT_TRUE(window.lblTime->text().contains(" 5 26 12:00am "));
}

TEST_F(ClockWindow, ASouthernLatitudePutsNorthAtTheTopAndANorthernOneBack) {
    frmMain& window = Window();
    const int top = window.lblSouth->y(), bottom = window.lblNorth->y();
    ASSERT_LT(top, bottom);

    world_.store.dLatitude = -33.917;
    window.lSecsBase = -1;
    TickAt(world_.clock.SecondsOfDay());
    EXPECT_TRUE(window.SouthernHemisphere);
    EXPECT_EQ(window.lblNorth->y(), top);
    EXPECT_EQ(window.lblSouth->y(), bottom);

    world_.store.dLatitude = 43.089;
    window.lSecsBase = -1;
    TickAt(world_.clock.SecondsOfDay());
    EXPECT_FALSE(window.SouthernHemisphere);
    EXPECT_EQ(window.lblNorth->y(), bottom);
    EXPECT_EQ(window.lblSouth->y(), top);
}

TEST_F(ClockWindow, TheSwappedCompassLettersStayPutWhenTheWindowIsRelaidOut) {
    frmMain& window = Window();
    window.show();
    const int top = window.lblSouth->y();
    world_.store.dLatitude = -33.917;
    window.lSecsBase = -1;
    TickAt(world_.clock.SecondsOfDay());

    window.showMaximized();
    window.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window.lblNorth->y(), top);
}

TEST_F(ClockWindow, AHandSwitchedOffIsHiddenAtTheNextFullRefreshAndNoLongerMoved) {
    frmMain& window = Window();
    const HandLine& second = window.pbxFace->Lines()[SecondHand];
    EXPECT_TRUE(second.visible);

    world_.store.bSecondHand = False;
    TickAt(7 * 3600 + 30 * 60 + 10); // same minute: the fast hands move, visibility stays
    EXPECT_TRUE(second.visible);
    TickAt(7 * 3600 + 31 * 60);
    EXPECT_FALSE(second.visible);
    const HandLine frozen = second;
    TickAt(7 * 3600 + 31 * 60 + 15);
    EXPECT_EQ(second.X2, frozen.X2);
    EXPECT_EQ(second.Y2, frozen.Y2);
    EXPECT_TRUE(window.pbxFace->Lines()[MinuteHand].visible);
}

TEST_F(ClockWindow, ClosingWhileRunningReleasesTheFaceAndSavesTheSettings) {
    frmMain& window = Window();
    world_.store.bMoonHand = False;

    window.close();

    EXPECT_TRUE(window.FaceBufferReleased());
    EXPECT_FALSE(window.Timer1.isActive());
    EXPECT_EQ(Stored().bMoonHand, False);
}

TEST_F(ClockWindow, DoubleClickOnTheTimeLinePausesAndClosingWhilePausedSavesNothing) {
    frmMain& window = Window();
    DoubleClick(window.lblTime);
    ASSERT_FALSE(window.Timer1.isActive());
    DoubleClick(window.lblTime);
    ASSERT_TRUE(window.Timer1.isActive());
    DoubleClick(window.lblTime);

    world_.store.bMoonHand = False;
    world_.store.sLocation = "London, UK";
    window.close();

    EXPECT_FALSE(window.FaceBufferReleased());
    const LongLat stored = Stored();
    EXPECT_EQ(stored.bMoonHand, True);
    EXPECT_EQ(stored.sLocation, "Shorewood, Wisconsin, US");
}

TEST_F(ClockWindow, LabelsAreWhiteUpToSkyLevel180AndBlackAbove) {
    frmMain& window = Window();
    // Through the morning twilight second by second, each tick a full refresh.
    bool saw180 = false, saw181 = false;
    const int dawn = window.EventTimesOfDay.TwilightBeginSec;
    const int sunrise = window.EventTimesOfDay.SunriseSec;
    for (int sec = dawn; sec < sunrise; ++sec) {
        window.lSecsBase = -1;
        TickAt(sec);
        saw180 |= window.SkyLevel == 180;
        saw181 |= window.SkyLevel == 181;
        const QColor expected = window.SkyLevel <= 180 ? Qt::white : Qt::black;
        ASSERT_EQ(window.lblTime->palette().color(QPalette::WindowText), expected) << sec;
        ASSERT_EQ(window.lblEast->palette().color(QPalette::WindowText), expected) << sec;
        ASSERT_EQ(window.lblUpgrade->palette().color(QPalette::WindowText), expected) << sec;
    }
    EXPECT_TRUE(saw180);
    EXPECT_TRUE(saw181);
}

TEST_F(ClockWindow, TheSkyIsLightAtNoonDarkAtMidnightAndFadesTickByTickInTwilight) {
    frmMain& window = Window();
    TickAt(12 * 3600);
    EXPECT_EQ(window.BackColor(), SkyColour(230));
    TickAt(0);
    EXPECT_EQ(window.BackColor(), SkyColour(20));

    // Inside the evening ramp the colour changes between full refreshes.
    const EventTimesOfDay times = window.EventTimesOfDay;
    const int minuteStart = (times.SunsetSec / 60 + 2) * 60;
    TickAt(minuteStart);
    const Colour atMinute = window.BackColor();
    TickAt(minuteStart + 50);
    EXPECT_EQ(window.lSecsBase, minuteStart / 60);
    EXPECT_NE(window.BackColor(), atMinute);
    EXPECT_EQ(window.BackColor(), SkyColour(SkyLevelAt(minuteStart + 50, times)));
}

TEST_F(ClockWindow, TheFaceIsTheAlmanacsFaceAtTheSameInstant) {
    frmMain& window = Window();
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const EventBoard board = ComputeEventBoard(now, -360, 43.089, -87.888);

    const QImage shown = window.pbxFace->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage almanac = ComposeFacePicture(now, board.timesOfDay);

    EXPECT_EQ(shown, almanac);
}

namespace {

// Chooses a place in the open dialog and confirms it with OK.
void SavePlaceInDialog(frmLocation& dialog, const std::string& name) {
    ListComboBox& places = *dialog.cbxLocation;
    for (int index = 0; index < places.ListCount(); ++index)
        if (places.List(index) == name)
            places.SetListIndex(index);
    ASSERT_EQ(places.Text(), name);
    dialog.cmdOK->click();
}

} // namespace

TEST_F(ClockWindow, TheLocationButtonOpensOneDialogThatLeavesTheClockTicking) {
    frmMain& window = Window();
    window.show();
    window.cmdLocation->click();
    frmLocation* dialog = window.Location();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(window.Timer1.isActive());

    dialog->hide();
    window.cmdLocation->click();
    EXPECT_EQ(window.Location(), dialog);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ClockWindow, ASouthernPlaceSavedInTheDialogSwapsNAndSAtTheNextTickAndBackAgain) {
    frmMain& window = Window();
    const int top = window.lblSouth->y(), bottom = window.lblNorth->y();
    window.cmdLocation->click();

    SavePlaceInDialog(*window.Location(), "Cape Town, South Africa");
    EXPECT_EQ(window.lSecsBase, -1);
    TickAt(world_.clock.SecondsOfDay());
    EXPECT_EQ(Text(window.lblLocation), "Cape Town, South Africa");
    EXPECT_EQ(window.lblNorth->y(), top);
    EXPECT_EQ(window.lblSouth->y(), bottom);

    window.cmdLocation->click();
    SavePlaceInDialog(*window.Location(), "Shorewood, Wisconsin, US");
    TickAt(world_.clock.SecondsOfDay());
    EXPECT_EQ(Text(window.lblLocation), "Shorewood, Wisconsin, US");
    EXPECT_EQ(window.lblNorth->y(), bottom);
    EXPECT_EQ(window.lblSouth->y(), top);
}
