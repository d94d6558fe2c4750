#include "platform/DesktopNotifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

#include <iostream>

namespace horvane {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = kService;

// The service's own choice of how long a notification stays.
constexpr int kDefaultExpiry = -1;

QDBusMessage ServiceCall(const char* method) {
    return QDBusMessage::createMethodCall(kService, kPath, kInterface, QString::fromLatin1(method));
}

} // namespace

DesktopNotifications::DesktopNotifications(QObject* parent)
    : DesktopNotifications(QDBusConnection::sessionBus(), parent) {}

DesktopNotifications::DesktopNotifications(const QDBusConnection& bus, QObject* parent)
    : QObject(parent), bus_(bus) {}

bool DesktopNotifications::Available() {
    if (!bus_.isConnected()) {
        const QString why = bus_.lastError().message();
        ReportOff(QStringLiteral("no session bus") + (why.isEmpty() ? QString() : ": " + why));
        return false;
    }
    const QDBusConnectionInterface* daemon = bus_.interface();
    if (daemon->isServiceRegistered(kService).value() ||
        daemon->activatableServiceNames().value().contains(kService))
        return true;
    ReportOff(QStringLiteral("no notification service on the session bus"));
    return false;
}

void DesktopNotifications::Show(const QString& summary, const QString& body) {
    if (!Available())
        return;
    if (bodyMarkup_) {
        Send(summary, body);
        return;
    }
    waiting_.emplace_back(summary, body);
    if (waiting_.size() == 1) // the first to wait asks
        AskCapabilities();
}

// Asked once: a service without an answer is taken to read plain text.
void DesktopNotifications::AskCapabilities() {
    auto* watcher =
        new QDBusPendingCallWatcher(bus_.asyncCall(ServiceCall("GetCapabilities")), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QStringList> reply = *watcher;
        bodyMarkup_ = reply.isValid() && reply.value().contains(QStringLiteral("body-markup"));
        for (const auto& [summary, body] : std::exchange(waiting_, {}))
            Send(summary, body);
    });
}

void DesktopNotifications::Send(const QString& summary, const QString& body) {
    QDBusMessage call = ServiceCall("Notify");
    const QVariantMap hints{
        {QStringLiteral("suppress-sound"), true},
        {QStringLiteral("desktop-entry"), QString::fromLatin1(kNotifyingIconName)}};
    call << QString::fromLatin1(kNotifyingAppName) << quint32(0)
         << QString::fromLatin1(kNotifyingIconName) << summary
         << (*bodyMarkup_ ? body.toHtmlEscaped() : body) << QStringList() << hints
         << qint32(kDefaultExpiry);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<quint32> reply = *watcher;
        if (reply.isValid())
            emit Shown(reply.value());
        else
            ReportOff(QStringLiteral("the notification service failed: ") +
                      reply.error().message());
    });
}

void DesktopNotifications::ReportOff(const QString& cause) {
    if (std::exchange(reportedOff_, true))
        return;
    std::cerr << "horvane: reminders are off: " << cause.toStdString() << "\n";
}

} // namespace horvane
