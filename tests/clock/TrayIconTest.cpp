// The tray icon as a panel sees it over D-Bus, with a stand-in StatusNotifierWatcher
// (tests/support/status_notifier_watcher.py) that inspects the registered item, activates it and
// clicks its menu. CTest runs it on a session bus of its own (dbus-run-session) and on Qt's X11
// platform under Xvfb, whose desktop themes give QSystemTrayIcon its StatusNotifierItem.

#include "clock/TrayIcon.h"
#include "testing/WidgetApplication.h"
#include "tests/support/TrayWatcher.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;
using namespace horvane::test_support;

namespace {

const QString kToolTip = QString::fromUtf8("Shorewood \u2014 Sunset 4:17p");

// The item's tooltip, its menu, the sizes of its pictures, and the count of pictures sent.
std::tuple<QString, QString, QString, int> Inspect(const TrayWatcher& watcher,
                                                   const QString& item) {
    const QJsonObject seen = watcher.Inspect(item);
    return {seen["tooltip"].toString(), seen["menu"].toString(), seen["sizes"].toString(),
            seen["newIcons"].toInt()};
}

} // namespace

// The icon registers with its tooltip, pictures and menu; the menu follows the setters, the picture
// is sent again only when the sky changes, and activating the icon or choosing a menu item
// asks for what it names.
TEST(TrayIcon, RegistersWithTheWatcherAndFollowsItsSettersAndAsksForWhatIsChosen) {
    TestApplication();
    TrayWatcher watcher;
    ASSERT_TRUE(watcher.Start());
    ASSERT_TRUE(TrayIcon::Available());
    QObject owner;
    auto* tray = new TrayIcon(&owner);
    tray->SetToolTip(kToolTip);
    const QString item = watcher.Item();
    ASSERT_FALSE(item.isEmpty());
    const QString menu = "%1 the clock|Change Location…|Reminders…|-|%2|-|"
                         "[%3] Start with the desktop|"
                         "[ ] Keep running in the tray when the window is closed|-|Quit";
    const auto [tip, shown, sizes, icons] = Inspect(watcher, item);
    EXPECT_EQ(std::pair(tip, shown), std::pair(kToolTip, menu.arg("Hide", "Pause", " ")));
    tray->SetWindowShown(false);
    tray->SetPaused(true);
    tray->SetStartWithDesktop(true);
    tray->SetToolTip(QStringLiteral("Elsewhere"));
    tray->SetSky({SkyState::Night, 3});
    tray->SetSky({SkyState::Night, 3});
    EXPECT_EQ(Inspect(watcher, item),
              std::tuple(QString("Elsewhere"), menu.arg("Show", "Resume", "x"),
                         QString("16 22 24 32 48 64"), icons + 1));
    tray->SetSky({SkyState::Night, 4});
    EXPECT_EQ(std::get<3>(Inspect(watcher, item)), icons + 2);

    std::vector<std::string> asked;
    const auto note = [&](const char* what) {
        return [&asked, what](bool on = true) { asked.push_back(what + std::to_string(on)); };
    };
    QObject::connect(tray, &TrayIcon::showHideRequested, note("show/hide"));
    QObject::connect(tray, &TrayIcon::changeLocationRequested, note("location"));
    QObject::connect(tray, &TrayIcon::remindersRequested, note("reminders"));
    QObject::connect(tray, &TrayIcon::quitRequested, note("quit"));
    QObject::connect(tray, &TrayIcon::pauseRequested, note("pause"));
    QObject::connect(tray, &TrayIcon::startWithDesktopToggled, note("start"));
    QObject::connect(tray, &TrayIcon::keepRunningToggled, note("keep"));
    watcher.Activate(item);
    for (const char* label :
         {"Show the clock", "Change Location…", "Reminders…", "Resume", "Start with the desktop",
          "Keep running in the tray when the window is closed", "Quit"})
        watcher.Click(item, QString::fromUtf8(label));
    const std::vector<std::string> expected = {"show/hide1", "show/hide1", "location1",
                                               "reminders1", "pause0",     "start0",
                                               "keep1",      "quit1"};
    EXPECT_TRUE(QTest::qWaitFor([&] { return asked.size() >= expected.size(); }, 10000));
    EXPECT_EQ(asked, expected);
}
