#include "platform/DesktopNotifications.h"

#include "astro/DateSerial.h"
#include "clock/Reminders.h"
#include "tests/support/PrivateSessionBus.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

QCoreApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "horvane-tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QCoreApplication(argc, argv);
    return *application;
}

// What the stand-in records of a notification with this summary and body.
std::string Record(const std::string& summary, const std::string& body) {
    return R"({"actions": [], "app_icon": "horvane", "app_name": "Horvane", "body": ")" + body +
           R"(", "expire_timeout": -1, "hints": {"desktop-entry": ["String", "horvane"], )"
           R"("suppress-sound": ["Boolean", true]}, "replaces_id": 0, "summary": ")" +
           summary + R"("})";
}

// Shows a last notification and waits for the service to record it: every notification shown
// before has been recorded then.
bool ShowLastAndWait(DesktopNotifications& notifications, const PrivateSessionBus& bus) {
    notifications.Show("end", QString());
    return QTest::qWaitFor(
        [&] { return !bus.Recorded().empty() && bus.Recorded().back() == Record("end", ""); },
        10000);
}

class Notifications : public ::testing::Test {
protected:
    static void SetUpTestSuite() { TestApplication(); }

    PrivateSessionBus bus_;
};

} // namespace

// The clock's reminders under a settable clock at Shorewood on 2026-12-07 (sunset 4:16p,
// twilight ends 4:48p or 4:49p as the board estimates it), checked every minute: the one before the
// sunset arrives once, with its texts, the program's icon and no sound, although the clock is set
// back over it; the one of the twilight's end, passed while the clock was paused, never arrives.
TEST_F(Notifications, AReminderArrivesOnceWithItsTextsAndNoneOfAPause) {
    ASSERT_TRUE(bus_.StartService());
    DesktopNotifications notifications(bus_.Connection(), nullptr);
    Reminders reminders;
    QObject::connect(&reminders, &Reminders::Due, &notifications, &DesktopNotifications::Show);
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 10;
    minutes[BoardEvent::TwilightEnds] = 0;
    reminders.SetMinutes(minutes);
    const std::int32_t offset = -360;
    const auto checkAt = [&](int hour, int minute) {
        const DateSerial now = ToDateSerial({2026, 12, 7, hour, minute, 0});
        reminders.Check(ComputeEventBoard(now, offset, 43.089, -87.888), now, offset,
                        "Shorewood, Wisconsin, US");
    };
    for (const int minute : {0, 5, 6, 7, 3, 4, 5, 6, 7, 40})
        checkAt(16, minute);
    reminders.SetPaused(true);
    checkAt(16, 48);
    reminders.SetPaused(false);
    checkAt(16, 50);
    checkAt(16, 51);
    ASSERT_TRUE(ShowLastAndWait(notifications, bus_));
    EXPECT_EQ(bus_.Recorded(),
              (std::vector<std::string>{
                  Record("Sunset in 10 minutes", "Shorewood, Wisconsin, US \u2014 Sunset 4:16p"),
                  Record("end", "")}));
}

// A service that reads markup is given the body with its special characters as entities; one
// that reads plain text, as it is. A service the bus starts on demand counts as there.
TEST_F(Notifications, TheBodyIsMarkupOnlyWhereTheServiceReadsMarkup) {
    const std::string place = "Smith & Sons <Farm>";
    const std::tuple<QStringList, bool, std::string> rows[] = {
        {{"--capabilities", "body,body-markup"}, false, "Smith &amp; Sons &lt;Farm&gt;"},
        {{"--capabilities", "body"}, false, place},
        {{}, true, place},
    };
    for (const auto& [arguments, activated, body] : rows) {
        if (activated) {
            bus_.MakeServiceActivatable();
        } else {
            ASSERT_TRUE(bus_.StartService(arguments));
        }
        DesktopNotifications notifications(bus_.Connection(), nullptr);
        QSignalSpy shown(&notifications, &DesktopNotifications::Shown);
        notifications.Show("Sunset now", QString::fromStdString(place));
        ASSERT_TRUE(shown.wait(10000)) << body;
        EXPECT_EQ(bus_.Recorded().back(), Record("Sunset now", body)) << body;
        if (!activated) {
            bus_.StopService();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !bus_.ServiceOwned(); }, 10000));
        }
    }
}

// No bus, no service on it, or a service that fails: notifications are off, said once in one
// line on stderr however many are shown, and nothing else happens.
TEST_F(Notifications, WithoutAServiceTheyAreOffSaidOnceOnStderr) {
    const std::tuple<const char*, QStringList, std::string> rows[] = {
        {"no bus", {}, "horvane: reminders are off: no session bus: "},
        {"no service",
         {},
         "horvane: reminders are off: no notification service on the session bus\n"},
        {"a failing service",
         {"--fail"},
         "horvane: reminders are off: the notification service failed: the stand-in refuses\n"},
    };
    for (const auto& [name, arguments, line] : rows) {
        const bool noBus = std::string(name) == "no bus";
        if (!arguments.isEmpty()) {
            ASSERT_TRUE(bus_.StartService(arguments));
        }
        const QDBusConnection connection =
            noBus ? QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"),
                                                  QStringLiteral("absent"))
                  : bus_.Connection();
        testing::internal::CaptureStderr();
        {
            DesktopNotifications notifications(connection, nullptr);
            EXPECT_EQ(notifications.Available(), arguments.contains("--fail")) << name;
            for (int shown = 0; shown < 3; ++shown)
                notifications.Show("Sunset now", "Here");
            QTest::qWait(500); // for the service's answers
        }
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_TRUE(said.starts_with(line)) << name << ": " << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << name << ": " << said;
        bus_.StopService();
    }
    QDBusConnection::disconnectFromBus(QStringLiteral("absent"));
}
