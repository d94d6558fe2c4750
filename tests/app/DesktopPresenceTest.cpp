// The clock's presence on the desktop as a panel and a notification service see it: a clock
// window on a settable clock with its presence, the stand-in StatusNotifierWatcher and
// notification service on the session bus CTest gives each test (dbus-run-session).

#include "app/DesktopPresence.h"
#include "testing/ClockWindowWorld.h"
#include "tests/support/RecordedNotifications.h"
#include "tests/support/TrayWatcher.h"

#include <QTemporaryDir>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QString kStartWithDesktop = QStringLiteral("Start with the desktop");

// Runs the application until the program ends, as main does; 2 when it has not ended within
// ten seconds of starting what ends it.
int RunUntilEnded(const std::function<void()>& ending) {
    const QObject running;
    QTimer::singleShot(0, &running, ending);
    QTimer::singleShot(10000, &running, [] { QCoreApplication::exit(2); });
    return QApplication::exec();
}

class DesktopPresenceInTray : public ::testing::Test {
protected:
    // The autostart entry goes to a folder of the test's.
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
        TestApplication();
        ASSERT_TRUE(watcher_.Start());
        ASSERT_TRUE(notifications_.StartService());
    }

    // The presence of a window started at 7:30 on 4 December with these reminders, and its
    // item in the tray.
    void Start(const ReminderMinutes& minutes = {}) {
        window_ = world_.Start();
        world_.store.SaveReminders(minutes);
        presence_ = std::make_unique<DesktopPresence>(*window_, world_.store, world_.prompt);
        item_ = watcher_.Item();
        ASSERT_FALSE(item_.isEmpty());
    }
    void TickAt(int hour, int minute) {
        world_.clock.SetSecondsOfDay((hour * 60 + minute) * 60);
        window_->Model().Tick();
    }

    QTemporaryDir config_;
    PrivateSessionBus notifications_{PrivateSessionBus::RunningBus()};
    TrayWatcher watcher_;
    ClockWindowWorld world_;
    std::unique_ptr<frmMain> window_;
    std::unique_ptr<DesktopPresence> presence_;
    QString item_;
};

} // namespace

// Started in the tray, the window stays hidden until the icon is activated; the tooltip names
// the place and the next two events. The reminder before the sunset comes once, with its texts,
// at its moment and not at the ticks after it; the one of the sun's transit, which a clock set
// forward passes, and the one of the twilight's end, passed while paused, never come.
TEST_F(DesktopPresenceInTray, SitsInTheTrayWithTheNextEventsAndRemindsOnceOfEach) {
    ReminderMinutes minutes;
    minutes[BoardEvent::SunTransit] = 0;
    minutes[BoardEvent::SunSet] = 10;
    minutes[BoardEvent::TwilightEnds] = 0;
    ASSERT_NO_FATAL_FAILURE(Start(minutes));
    EXPECT_TRUE(presence_->InTray());
    presence_->ShowWindow(true);
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(watcher_.Inspect(item_, "menu").starts_with("Show the clock|"));
    watcher_.Activate(item_);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_->isVisible(); }));
    EXPECT_TRUE(watcher_.Inspect(item_, "menu").starts_with("Hide the clock|"));
    window_->showMinimized(); // activating a minimized window brings it back
    watcher_.Activate(item_);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window_->isMinimized(); }));
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(watcher_.Inspect(item_, "tooltip"),
              "Shorewood, Wisconsin, US \u2014 Sun transit 11:42a, Moonset 1:30p");

    const std::pair<int, int> ticks[] = {{11, 0}, {12, 0}, {16, 7}, {16, 7}, {16, 8}};
    for (const auto& [hour, minute] : ticks)
        TickAt(hour, minute);
    EXPECT_EQ(watcher_.Inspect(item_, "tooltip"),
              "Shorewood, Wisconsin, US \u2014 Sunset 4:17p, Twilight ends 4:49p");
    TickAt(16, 48);
    watcher_.Click(item_, QStringLiteral("Pause"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window_->Model().Paused(); }));
    world_.clock.SetSecondsOfDay((16 * 60 + 50) * 60);
    watcher_.Click(item_, QStringLiteral("Resume"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window_->Model().Paused(); }));
    TickAt(16, 50);
    DesktopNotifications last;
    ASSERT_TRUE(ShowLastAndWait(last, notifications_));
    EXPECT_EQ(notifications_.Recorded(),
              (std::vector<std::string>{
                  NotificationRecord("Sunset in 10 minutes",
                                     "Shorewood, Wisconsin, US \u2014 Sunset 4:17p"),
                  NotificationRecord("end", "")}));
}

// With the setting chosen in the menu (and stored), closing the window hides it and the clock
// runs on; Quit closes it for good, saving the settings, and ends the program. The menu's
// "Start with the desktop" writes the autostart entry and, chosen again, removes it.
TEST_F(DesktopPresenceInTray, KeepsRunningInTheTrayUntilQuitAndStartsWithTheDesktopWhenAsked) {
    const std::filesystem::path entry = config_.path().toStdString() + "/autostart/horvane.desktop";
    ASSERT_NO_FATAL_FAILURE(Start());
    presence_->ShowWindow(false);
    for (const bool on : {true, false}) {
        watcher_.Click(item_, kStartWithDesktop);
        // The panel's click reaches the menu through the event loop.
        EXPECT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(entry) == on; })) << on;
        EXPECT_EQ(watcher_.Inspect(item_, "menu").find("[x] " + kStartWithDesktop.toStdString()) !=
                      std::string::npos,
                  on);
    }

    watcher_.Click(item_, QStringLiteral("Keep running in the tray when the window is closed"));
    EXPECT_TRUE(QTest::qWaitFor([] { return LongLat().ReadKeepRunningInTray(); }));
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_TRUE(watcher_.Inspect(item_, "menu").starts_with("Show the clock|"));
    world_.clock.SetSecondsOfDay(8 * 3600);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window_->Model().MinuteStamp() == 8 * 60; }));

    world_.store.bMoonHand = False; // saved only when the program ends
    EXPECT_EQ(RunUntilEnded([&] { watcher_.ClickAndGo(item_, QStringLiteral("Quit")); }), 0);
    EXPECT_EQ(std::pair(window_->Model().Paused(), Stored().bMoonHand), std::pair(true, False));
}

// Without a watcher there is no tray: the window shows although asked to start in the tray,
// and closing it ends the program and saves, the stored wish to keep running notwithstanding.
// In a program of its own, since Qt asks the bus for a tray once in a process.
TEST(DesktopPresence, WithoutATrayShowsTheWindowAndClosingEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            TestApplication();
            ClockWindowWorld world;
            const std::unique_ptr<frmMain> window = world.Start();
            world.store.SaveKeepRunningInTray(true);
            DesktopPresence presence(*window, world.store, world.prompt);
            presence.ShowWindow(true);
            const bool shown = window->isVisible();
            world.store.bMoonHand = False;
            const int ended = RunUntilEnded([&] { window->close(); });
            std::cerr << "in the tray " << presence.InTray() << ", shown " << shown << ", ended "
                      << ended << ", saved " << (Stored().bMoonHand == False) << "\n";
            std::exit(0);
        },
        testing::ExitedWithCode(0), "in the tray 0, shown 1, ended 0, saved 1");
}
