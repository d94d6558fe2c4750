#pragma once
// Notifications shown by the desktop's notification service, reached on the session bus.

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace horvane {

// The name and icon the notifications carry: the program's desktop entry and icon name.
inline constexpr const char* kNotifyingAppName = "Horvane";
inline constexpr const char* kNotifyingIconName = "horvane";

class DesktopNotifications : public QObject {
    Q_OBJECT

public:
    // Through the session bus.
    explicit DesktopNotifications(QObject* parent = nullptr);
    // Through the given bus.
    DesktopNotifications(const QDBusConnection& bus, QObject* parent);

    // Whether the bus has a notification service, running or to be started on the first call.
    // Where it has none, or there is no bus, the first time says so on stderr in one line.
    bool Available();

    // Shows a notification with the program's name and icon, without a sound of its own, for
    // as long as the desktop keeps notifications. Where no service takes it, nothing is
    // shown, the first failure said once on stderr. Never waits for the service.
    void Show(const QString& summary, const QString& body);

signals:
    // The service showed a notification under this id.
    void Shown(quint32 id);

private:
    using Texts = std::pair<QString, QString>;

    void AskCapabilities();
    void Send(const QString& summary, const QString& body);
    // Reports once that notifications are off, and why.
    void ReportOff(const QString& cause);

    QDBusConnection bus_;
    bool reportedOff_ = false;
    // Whether the service reads the body as markup; unknown until it has answered.
    std::optional<bool> bodyMarkup_;
    // Notifications waiting for the service's capabilities.
    std::vector<Texts> waiting_;
};

} // namespace horvane
