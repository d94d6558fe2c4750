#pragma once
// What the stand-in notification service records of the program's notifications.

#include "platform/DesktopNotifications.h"
#include "tests/support/PrivateSessionBus.h"

#include <string>

namespace horvane::test_support {

// The record of a notification with this summary and body.
inline std::string NotificationRecord(const std::string& summary, const std::string& body) {
    return R"({"actions": [], "app_icon": "horvane", "app_name": "Horvane", "body": ")" + body +
           R"(", "expire_timeout": -1, "hints": {"desktop-entry": ["String", "horvane"], )"
           R"("suppress-sound": ["Boolean", true]}, "replaces_id": 0, "summary": ")" +
           summary + R"("})";
}

// Shows a last notification on the connection of the ones before and waits for the service to
// record it: every notification shown before has been recorded then.
inline bool ShowLastAndWait(DesktopNotifications& notifications, const PrivateSessionBus& bus) {
    notifications.Show("end", QString());
    return QTest::qWaitFor(
        [&] {
            return !bus.Recorded().empty() &&
                   bus.Recorded().back() == NotificationRecord("end", "");
        },
        10000);
}

} // namespace horvane::test_support
