#include "platform/DesktopNotifications.h"

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
