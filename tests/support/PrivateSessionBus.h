#pragma once
// A session bus of the test's own, started with dbus-daemon in a fresh temporary folder, and
// the stand-in notification service on it: nothing of the desktop the tests run in is seen.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <string>
#include <vector>

namespace horvane::test_support {

inline constexpr const char* kNotificationService = "org.freedesktop.Notifications";

class PrivateSessionBus {
public:
    PrivateSessionBus() {
        WriteFile("bus.conf", BusConfiguration());
        daemon_.setProgram(QStringLiteral(HORVANE_DBUS_DAEMON));
        daemon_.setArguments(
            {"--nofork", "--print-address=1", "--config-file=" + Path("bus.conf")});
        daemon_.start();
        if (daemon_.waitForReadyRead(10000))
            address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    // The session bus the program runs on (in CTest, one of its own from dbus-run-session), for
    // the parts that find the session bus by themselves. The service cannot be made activatable
    // on it.
    struct RunningBus {};
    explicit PrivateSessionBus(RunningBus)
        : address_(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS")) {}
    PrivateSessionBus(const PrivateSessionBus&) = delete;
    PrivateSessionBus& operator=(const PrivateSessionBus&) = delete;
    ~PrivateSessionBus() {
        StopService();
        QDBusConnection::disconnectFromBus(kConnectionName);
        End(daemon_);
    }

    const QString& Address() const { return address_; }

    // The program's own connection to the bus.
    QDBusConnection Connection() const {
        return QDBusConnection::connectToBus(address_, kConnectionName);
    }

    // Starts the stand-in service with the arguments after its record file; answers once it
    // owns its name (false when it never did).
    bool StartService(const QStringList& arguments = {}) {
        service_.setProgram(QStringLiteral(HORVANE_DEBIAN_PYTHON));
        service_.setArguments(ServiceCommand(arguments));
        service_.setProcessEnvironment(BusEnvironment());
        service_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        service_.start();
        return QTest::qWaitFor([this] { return ServiceOwned(); }, 10000);
    }
    void StopService() { End(service_); }

    // Lets the bus start the stand-in service itself when a call is addressed to it.
    void MakeServiceActivatable() {
        const QStringList command =
            QStringList{"/usr/bin/env", "DBUS_SESSION_BUS_ADDRESS=" + address_,
                        QStringLiteral(HORVANE_DEBIAN_PYTHON)} +
            ServiceCommand({});
        WriteFile("services/notifications.service",
                  "[D-BUS Service]\nName=" + QString::fromLatin1(kNotificationService) +
                      "\nExec=" + command.join(' ') + "\n");
        Connection().interface()->call(QStringLiteral("ReloadConfig"));
    }

    bool ServiceOwned() const {
        return Connection().interface()->isServiceRegistered(kNotificationService).value();
    }

    // The calls the stand-in service received, one JSON object each.
    std::vector<std::string> Recorded() const {
        QFile file(Path("record.jsonl"));
        std::vector<std::string> lines;
        if (!file.open(QIODevice::ReadOnly))
            return lines;
        while (!file.atEnd())
            lines.push_back(file.readLine().trimmed().toStdString());
        return lines;
    }

private:
    static constexpr const char* kConnectionName = "horvane-test-bus";

    QString Path(const QString& name) const { return folder_.filePath(name); }

    void WriteFile(const QString& name, const QString& text) const {
        QDir(folder_.path()).mkpath(QFileInfo(Path(name)).path());
        QFile file(Path(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.toUtf8());
    }

    QString BusConfiguration() const {
        return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\""
               " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
               "<busconfig><type>session</type><listen>unix:dir=" +
               folder_.path() + "</listen><auth>EXTERNAL</auth><servicedir>" + Path("services") +
               "</servicedir><policy context=\"default\"><allow send_destination=\"*\"/>"
               "<allow receive_sender=\"*\"/>"
               "<allow own=\"*\"/></policy></busconfig>\n";
    }

    QStringList ServiceCommand(const QStringList& arguments) const {
        return QStringList{QStringLiteral(HORVANE_NOTIFICATION_SERVICE), Path("record.jsonl")} +
               arguments;
    }

    QProcessEnvironment BusEnvironment() const {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
        return environment;
    }

    static void End(QProcess& process) {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        if (!process.waitForFinished(5000)) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    QTemporaryDir folder_;
    QString address_;
    QProcess daemon_;
    QProcess service_;
};

} // namespace horvane::test_support
