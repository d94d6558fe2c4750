#include "platform/DesktopNotifications.h"

#include "astro/DateSerial.h"
#include "clock/Reminders.h"
#include "testing/CoreApplication.h"
#include "tests/support/RecordedNotifications.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

class Notifications : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CoreTestApplication(); }

    PrivateSessionBus bus_;
};

} // namespace

// Reminders checked every minute at Shorewood on 2026-12-07 (sunset 4:16p, twilight ends
// 4:48p): the one before the sunset arrives once although the clock is set back over it; the
// twilight's end, passed while paused, never arrives.
TEST_F(Notifications, AReminderArrivesOnceWithItsTextsAndNoneOfAPause) {
    ASSERT_TRUE(bus_.StartService());
    DesktopNotifications notifications(bus_.Connection(), nullptr);
    Reminders reminders;
    QObject::connect(&reminders, &Reminders::Due, &notifications, &DesktopNotifications::Show);
    ReminderMinutes minutes;
    minutes[BoardEvent::SunSet] = 10;
    minutes[BoardEvent::TwilightEnds] = 0;
    reminders.SetMinutes(minutes);
    for (const int minute : {0, 5, 6, 7, 3, 4, 5, 6, 7, 40, -48, 50, 51}) {
        reminders.SetPaused(minute < 0);
        const DateSerial now = ToDateSerial({2026, 12, 7, 16, std::abs(minute), 0});
        reminders.Check(ComputeEventBoard(now, -360, 43.089, -87.888), now, -360,
                        "Shorewood, Wisconsin, US");
    }
    ASSERT_TRUE(ShowLastAndWait(notifications, bus_));
    EXPECT_EQ(bus_.Recorded(),
              (std::vector<std::string>{
                  NotificationRecord("Sunset in 10 minutes",
                                     "Shorewood, Wisconsin, US \u2014 Sunset 4:16p"),
                  NotificationRecord("end", "")}));
}

// Entities only for a service that reads markup; a service started on demand counts as there.
TEST_F(Notifications, TheBodyIsMarkupOnlyWhereTheServiceReadsMarkup) {
    const std::string place = "Smith & Sons <Farm>";
    const std::pair<QStringList, std::string> rows[] = {
        {{"--capabilities", "body,body-markup"}, "Smith &amp; Sons &lt;Farm&gt;"},
        {{"--capabilities", "body"}, place},
        {{}, place}};
    for (const auto& [arguments, body] : rows) {
        if (arguments.isEmpty()) {
            bus_.MakeServiceActivatable();
        } else {
            ASSERT_TRUE(bus_.StartService(arguments));
        }
        DesktopNotifications notifications(bus_.Connection(), nullptr);
        QSignalSpy shown(&notifications, &DesktopNotifications::Shown);
        notifications.Show("Sunset now", QString::fromStdString(place));
        ASSERT_TRUE(shown.wait(10000)) << body;
        EXPECT_EQ(bus_.Recorded().back(), NotificationRecord("Sunset now", body));
        if (!arguments.isEmpty()) { // the activated one stays: it comes last
            bus_.StopService();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !bus_.ServiceOwned(); }, 10000));
        }
    }
}

// No service, or one that fails: reminders are off, said once on stderr however many are shown.
TEST_F(Notifications, WithoutAServiceTheyAreOffSaidOnceOnStderr) {
    const std::pair<QStringList, std::string> rows[] = {
        {{}, "horvane: reminders are off: no notification service on the session bus\n"},
        {{"--fail"},
         "horvane: reminders are off: the notification service failed: the stand-in refuses\n"}};
    for (const auto& [arguments, line] : rows) {
        if (!arguments.isEmpty()) {
            ASSERT_TRUE(bus_.StartService(arguments));
        }
        testing::internal::CaptureStderr();
        {
            DesktopNotifications notifications(bus_.Connection(), nullptr);
            for (int shown = 0; shown < 3; ++shown)
                notifications.Show("Sunset now", "Here");
            QTest::qWait(500); // for the service's answers
        }
        EXPECT_EQ(testing::internal::GetCapturedStderr(), line);
        bus_.StopService();
    }
}
