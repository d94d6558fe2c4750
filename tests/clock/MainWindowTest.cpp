#include "clock/frmMain.h"

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FaceBox.h"
#include "clock/FacePicture.h"
#include "clock/TickValues.h"
#include "platform/ui/ListComboBox.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowWorld.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <gtest/gtest.h>
#include <set>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class ClockWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    // Runs one tick at the given seconds of the clock's day; a forced one redoes everything.
    void TickAt(int sec, bool forced = false) {
        if (forced)
            window.lSecsBase = -1;
        world.clock.SetSecondsOfDay(sec);
        window.Timer1_Timer();
    }

    // What another run of the program would read from the hive.
    static LongLat Stored() {
        LongLat stored;
        stored.ReadSettings();
        return stored;
    }

    void DoubleClickTheTimeLine() {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(2, 2),
                          window.lblTime->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.lblTime, &click);
    }

    // Chooses a place in the location dialog and confirms it with OK.
    void SavePlaceInDialog(const std::string& name) {
        window.cmdLocation->click();
        ASSERT_TRUE(window.Location()->isVisible());
        ListComboBox& places = *window.Location()->cbxLocation;
        for (int index = 0; index < places.ListCount(); ++index)
            if (places.List(index) == name)
                places.SetListIndex(index);
        ASSERT_EQ(places.Text(), name);
        window.Location()->cmdOK->click();
    }

    static std::string Text(const QLabel* label) { return label->text().toStdString(); }

    ClockWindowWorld world;
    std::unique_ptr<frmMain> started_ = world.Start();
    frmMain& window = *started_;
};

} // namespace

TEST_F(ClockWindow, StartsCompactTitledWithTheBoardAndTheLocationFromTheFirstTick) {
    EXPECT_EQ(window.windowTitle(), "Horvane");
    EXPECT_EQ(window.size(), QSize(269, 308));
    EXPECT_EQ(window.lSecsBase, 7 * 60 + 30);
    EXPECT_EQ(Text(window.lblLocation), "Shorewood, Wisconsin, US");
    EXPECT_TRUE(window.lblTime->text().endsWith(" 7:30am Central Standard Time"));
    EXPECT_EQ(window.UtcOffsetMinutes, -360);
    // The board of the worked example: last and next of each row.
    std::vector<std::string> board;
    for (int row = 0; row < 7; ++row)
        board.push_back(Text(window.lblLast[row]) + " | " + Text(window.lblNext[row]));
    EXPECT_EQ(board, (std::vector<std::string>{"6:35a | Tom 6:36a", "7:07a | Tom 7:08a",
                                               "Yes 11:41a | 11:42a", "Yes 4:17p | 4:17p",
                                               "Yes 4:49p | 4:49p", "2:50a | Tom 3:57a",
                                               "Yes 1:08p | 1:30p"}));
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
    world.store.sLocation = "Somewhere else";
    TickAt(7 * 3600 + 31 * 60);
    EXPECT_EQ(Text(window.lblLocation), "Shorewood, Wisconsin, US");
    EXPECT_EQ(window.lSecsBase, 7 * 60 + 31);
    TickAt(7 * 3600 + 31 * 60 + 1, true);
    EXPECT_EQ(Text(window.lblLocation), "Somewhere else");
    EXPECT_EQ(window.lblLocation->accessibleName(), "Location: Somewhere else");
}

TEST_F(ClockWindow, LocalMidnightWrapsToANewMinute) {
    world.clock.Set(2026, 12, 4, 23, 59, 59);
    window.Timer1_Timer();
    EXPECT_EQ(window.lSecsBase, 1439);
    world.clock.Set(2026, 12, 5, 0, 0, 0);
    window.Timer1_Timer();
    EXPECT_EQ(window.lSecsBase, 0);
    EXPECT_TRUE(window.lblTime->text().contains(" 5 26 12:00am "));
}

// The one dialog leaves the clock ticking; a southern place saved in it puts N at the top at the
// next tick, where it stays when the window is laid out again, and a northern one puts it back.
TEST_F(ClockWindow, ASouthernPlaceSavedInTheDialogSwapsNAndSAtTheNextTickAndBackAgain) {
    window.show();
    const int top = window.lblSouth->y(), bottom = window.lblNorth->y();
    ASSERT_LT(top, bottom);
    SavePlaceInDialog("Cape Town, South Africa");
    frmLocation* dialog = window.Location();
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(window.Timer1.isActive());
    EXPECT_EQ(window.lSecsBase, -1);
    TickAt(world.clock.SecondsOfDay());
    EXPECT_EQ(Text(window.lblLocation), "Cape Town, South Africa");
    EXPECT_TRUE(window.SouthernHemisphere);
    window.showMaximized();
    window.showNormal();
    QApplication::processEvents();
    EXPECT_EQ(window.lblNorth->y(), top);
    EXPECT_EQ(window.lblSouth->y(), bottom);

    SavePlaceInDialog("Shorewood, Wisconsin, US");
    EXPECT_EQ(window.Location(), dialog);
    TickAt(world.clock.SecondsOfDay());
    EXPECT_FALSE(window.SouthernHemisphere);
    EXPECT_EQ(window.lblNorth->y(), bottom);
    EXPECT_EQ(window.lblSouth->y(), top);
}

TEST_F(ClockWindow, AHandSwitchedOffIsHiddenAtTheNextFullRefreshAndNoLongerMoved) {
    const HandLine& second = window.pbxFace->Lines()[SecondHand];
    world.store.bSecondHand = False;
    TickAt(7 * 3600 + 30 * 60 + 10); // same minute: the fast hands move, visibility stays
    EXPECT_TRUE(second.visible);
    TickAt(7 * 3600 + 31 * 60);
    EXPECT_FALSE(second.visible);
    const HandLine frozen = second;
    TickAt(7 * 3600 + 31 * 60 + 15);
    EXPECT_EQ(std::pair(second.X2, second.Y2), std::pair(frozen.X2, frozen.Y2));
    EXPECT_TRUE(window.pbxFace->Lines()[MinuteHand].visible);
}

TEST_F(ClockWindow, ClosingWhileRunningReleasesTheFaceAndSavesTheSettings) {
    world.store.bMoonHand = False;
    window.close();
    EXPECT_TRUE(window.FaceBufferReleased());
    EXPECT_FALSE(window.Timer1.isActive());
    EXPECT_EQ(Stored().bMoonHand, False);
}

TEST_F(ClockWindow, DoubleClickOnTheTimeLinePausesAndClosingWhilePausedSavesNothing) {
    for (const bool running : {false, true, false}) {
        DoubleClickTheTimeLine();
        ASSERT_EQ(window.Timer1.isActive(), running);
    }
    world.store.bMoonHand = False;
    world.store.sLocation = "London, UK";
    window.close();
    EXPECT_FALSE(window.FaceBufferReleased());
    EXPECT_EQ(Stored().bMoonHand, True);
    EXPECT_EQ(Stored().sLocation, "Shorewood, Wisconsin, US");
}

// Through the morning twilight second by second, each tick a full refresh.
TEST_F(ClockWindow, LabelsAreWhiteUpToSkyLevel180AndBlackAbove) {
    std::set<int> levels;
    for (int sec = window.EventTimesOfDay.TwilightBeginSec; sec < window.EventTimesOfDay.SunriseSec;
         ++sec) {
        TickAt(sec, true);
        levels.insert(window.SkyLevel);
        const QColor expected = window.SkyLevel <= 180 ? Qt::white : Qt::black;
        for (const QLabel* label : {window.lblTime, window.lblEast, window.lblUpgrade})
            ASSERT_EQ(label->palette().color(QPalette::WindowText), expected) << sec;
    }
    EXPECT_TRUE(levels.contains(180) && levels.contains(181));
}

TEST_F(ClockWindow, TheSkyIsLightAtNoonDarkAtMidnightAndFadesTickByTickInTwilight) {
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
    const DateSerial now = ToDateSerial({2026, 12, 4, 7, 30, 0});
    const EventBoard board = ComputeEventBoard(now, -360, 43.089, -87.888);
    EXPECT_EQ(window.pbxFace->grab().toImage().convertToFormat(QImage::Format_RGB32),
              ComposeFacePicture(now, board.timesOfDay));
}
