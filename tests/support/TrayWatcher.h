#pragma once
// The stand-in StatusNotifierWatcher (tests/support/status_notifier_watcher.py) on the session
// bus, and what a panel does through it: list the registered tray items, inspect one, activate
// it, click its menu.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>
#include <string>

namespace horvane::test_support {

class TrayWatcher {
public:
    TrayWatcher() = default;
    TrayWatcher(const TrayWatcher&) = delete;
    TrayWatcher& operator=(const TrayWatcher&) = delete;
    // Waits until the bus has no watcher again, so that a tray asked for next finds none.
    ~TrayWatcher() {
        process_.terminate();
        process_.waitForFinished();
        EXPECT_TRUE(QTest::qWaitFor([] {
            return !QDBusConnection::sessionBus().interface()->isServiceRegistered(kWatcher);
        })) << "the watcher's name outlives it";
    }

    // Starts the watcher; answers once it owns its name, with what it said otherwise.
    ::testing::AssertionResult Start() {
        process_.start(QStringLiteral(HORVANE_DEBIAN_PYTHON),
                       {QStringLiteral(HORVANE_WATCHER_SCRIPT)});
        while (!process_.canReadLine() && process_.waitForReadyRead(10000)) {
        }
        if (process_.readLine() == "ready\n")
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << process_.readAllStandardError().toStdString();
    }

    // The one item registered, once it has registered; empty when none or several did.
    QString Item() const {
        QStringList items;
        const bool registered =
            QTest::qWaitFor([&] { return !(items = RegisteredItems()).isEmpty(); }, 10000);
        return registered && items.size() == 1 ? items[0] : QString();
    }

    QStringList RegisteredItems() const {
        const QList<QVariant> reply =
            Call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {kWatcher, QStringLiteral("RegisteredStatusNotifierItems")});
        return reply.isEmpty() ? QStringList()
                               : reply[0].value<QDBusVariant>().variant().toStringList();
    }

    // The item's "tooltip", "menu" ("|" between entries, "-" for a separator, "[x] " or "[ ] "
    // before a check), "sizes" of its pictures and count of "newIcons" sent.
    QJsonObject Inspect(const QString& item) const {
        const QList<QVariant> reply = Probe(QStringLiteral("Inspect"), {item});
        return reply.isEmpty() ? QJsonObject()
                               : QJsonDocument::fromJson(reply[0].toString().toUtf8()).object();
    }
    std::string Inspect(const QString& item, const char* field) const {
        return Inspect(item)[QString::fromLatin1(field)].toString().toStdString();
    }

    void Activate(const QString& item) const { Probe(QStringLiteral("Activate"), {item}); }
    void Click(const QString& item, const QString& label) const {
        Probe(QStringLiteral("Click"), {item, label});
    }
    // Clicks without waiting for the watcher's answer: for an item that ends the program, which
    // leaves every event loop, the one waiting for the answer too.
    void ClickAndGo(const QString& item, const QString& label) const {
        QDBusConnection::sessionBus().send(
            Message(kProbe, QStringLiteral("Click"), {item, QVariant(label)}));
    }

private:
    static constexpr const char* kWatcher = "org.kde.StatusNotifierWatcher";

    static constexpr const char* kProbe = "org.horvane.test.TrayProbe";

    static QDBusMessage Message(const QString& interface, const QString& method,
                                const QVariantList& arguments) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kWatcher, QStringLiteral("/StatusNotifierWatcher"), interface, method);
        call.setArguments(arguments);
        return call;
    }

    // Calls the watcher, serving the calls it makes back to the tray icon meanwhile.
    static QList<QVariant> Call(const QString& interface, const QString& method,
                                const QVariantList& arguments) {
        const QDBusMessage reply = QDBusConnection::sessionBus().call(
            Message(interface, method, arguments), QDBus::BlockWithGui, 10000);
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
            << method.toStdString() << ": " << reply.errorMessage().toStdString();
        return reply.arguments();
    }

    static QList<QVariant> Probe(const QString& method, const QVariantList& arguments) {
        return Call(kProbe, method, arguments);
    }

    QProcess process_;
};

} // namespace horvane::test_support
