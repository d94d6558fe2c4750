// The tray icon as a panel sees it over D-Bus, with a stand-in StatusNotifierWatcher
// (tests/support/status_notifier_watcher.py) that inspects the registered item, activates it and
// clicks its menu. CTest runs it on a session bus of its own (dbus-run-session) and on Qt's X11
// platform under Xvfb, whose desktop themes give QSystemTrayIcon its StatusNotifierItem.

#include "clock/TrayIcon.h"
#include "testing/WidgetApplication.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace horvane;

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kToolTip = QString::fromUtf8("Shorewood, Wisconsin, US \u2014 Sunset 4:17p, "
                                           "Twilight ends 4:49p");

// Calls the watcher, serving the calls it makes back to the tray icon meanwhile.
QList<QVariant> CallWatcher(const QString& interface, const QString& method,
                            const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(kWatcher, kWatcherPath, interface, method);
    call.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::BlockWithGui, 10000);
    EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
        << method.toStdString() << ": " << reply.errorMessage().toStdString();
    return reply.arguments();
}

QList<QVariant> Probe(const QString& method, const QVariantList& arguments) {
    return CallWatcher(QStringLiteral("org.horvane.test.TrayProbe"), method, arguments);
}

template <typename Condition> bool Eventually(Condition condition) {
    const QDeadlineTimer deadline(10000);
    while (!condition() && !deadline.hasExpired())
        QTest::qWait(20);
    return condition();
}

QStringList RegisteredItems() {
    const QList<QVariant> reply =
        CallWatcher(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                    {kWatcher, QStringLiteral("RegisteredStatusNotifierItems")});
    return reply.isEmpty() ? QStringList()
                           : reply[0].value<QDBusVariant>().variant().toStringList();
}

// The item's "tooltip", "menu" ("|" between entries, "-" for a separator, "[x] " or "[ ] "
// before a check), "sizes" of its pictures and count of "newIcons" sent.
QJsonObject Inspect(const QString& item) {
    const QList<QVariant> reply = Probe(QStringLiteral("Inspect"), {item});
    return reply.isEmpty() ? QJsonObject()
                           : QJsonDocument::fromJson(reply[0].toString().toUtf8()).object();
}

std::string Text(const QJsonValue& value) {
    return value.toString().toStdString();
}

} // namespace

// Without a watcher (and no XEmbed tray on the bare X server) there is no tray. With one, the
// icon registers with its tooltip, its pictures in the panel sizes and its menu; the menu
// follows the setters, the picture is sent again only when the sky changes, and activating the
// icon or choosing a menu item over the bus asks for what it names.
TEST(TrayIcon, RegistersWithTheWatcherAndFollowsItsSettersAndAsksForWhatIsChosen) {
    // In a child process, since Qt asks the bus for a tray once per process.
    EXPECT_EXIT(
        {
            test_support::TestApplication();
            std::exit(TrayIcon::Available() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
    test_support::TestApplication();
    QProcess watcher;
    watcher.start(HORVANE_DEBIAN_PYTHON, {HORVANE_WATCHER_SCRIPT});
    while (!watcher.canReadLine() && watcher.waitForReadyRead(10000)) {
    }
    ASSERT_EQ(watcher.readLine().toStdString(), "ready\n") << watcher.readAllStandardError().data();
    ASSERT_TRUE(TrayIcon::Available());
    QObject owner;
    auto* tray = new TrayIcon(&owner);
    tray->SetToolTip(kToolTip);
    QStringList items;
    ASSERT_TRUE(Eventually([&] { return !(items = RegisteredItems()).isEmpty(); }));
    ASSERT_EQ(items.size(), 1);

    QJsonObject seen = Inspect(items[0]);
    EXPECT_EQ(Text(seen["tooltip"]), kToolTip.toStdString());
    EXPECT_EQ(Text(seen["menu"]), "Hide the clock|Change Location…|Reminders…|-|Pause|-|"
                                  "[ ] Start with the desktop|"
                                  "[ ] Keep running in the tray when the window is closed|-|Quit");

    const int iconsBefore = seen["newIcons"].toInt();
    tray->SetWindowShown(false);
    tray->SetPaused(true);
    tray->SetStartWithDesktop(true);
    tray->SetToolTip(QStringLiteral("Elsewhere"));
    tray->SetSky({SkyState::Night, 3});
    tray->SetSky({SkyState::Night, 3});
    seen = Inspect(items[0]);
    EXPECT_EQ(Text(seen["tooltip"]), "Elsewhere");
    EXPECT_EQ(Text(seen["menu"]), "Show the clock|Change Location…|Reminders…|-|Resume|-|"
                                  "[x] Start with the desktop|"
                                  "[ ] Keep running in the tray when the window is closed|-|Quit");
    EXPECT_EQ(seen["newIcons"].toInt(), iconsBefore + 1);
    EXPECT_EQ(Text(seen["sizes"]), "16 22 24 32 48 64");
    tray->SetSky({SkyState::Night, 4});
    EXPECT_EQ(Inspect(items[0])["newIcons"].toInt(), iconsBefore + 2);

    std::vector<std::string> asked;
    const auto note = [&](const char* what) { return [&asked, what] { asked.push_back(what); }; };
    const auto noteOn = [&](const char* what) {
        return
            [&asked, what](bool on) { asked.push_back(std::string(what) + (on ? " on" : " off")); };
    };
    QObject::connect(tray, &TrayIcon::showHideRequested, note("show/hide"));
    QObject::connect(tray, &TrayIcon::changeLocationRequested, note("location"));
    QObject::connect(tray, &TrayIcon::remindersRequested, note("reminders"));
    QObject::connect(tray, &TrayIcon::quitRequested, note("quit"));
    QObject::connect(tray, &TrayIcon::pauseRequested, noteOn("pause"));
    QObject::connect(tray, &TrayIcon::startWithDesktopToggled, noteOn("start with desktop"));
    QObject::connect(tray, &TrayIcon::keepRunningToggled, noteOn("keep running"));
    Probe(QStringLiteral("Activate"), {items[0]});
    for (const char* label :
         {"Show the clock", "Change Location…", "Reminders…", "Resume", "Start with the desktop",
          "Keep running in the tray when the window is closed", "Quit"})
        Probe(QStringLiteral("Click"), {items[0], QString::fromUtf8(label)});
    const std::vector<std::string> expected = {"show/hide",       "show/hide",
                                               "location",        "reminders",
                                               "pause off",       "start with desktop off",
                                               "keep running on", "quit"};
    EXPECT_TRUE(Eventually([&] { return asked.size() >= expected.size(); }));
    EXPECT_EQ(asked, expected);
    watcher.terminate();
    watcher.waitForFinished();
}
