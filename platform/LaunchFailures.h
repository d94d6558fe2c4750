#pragma once
// News of a request the desktop launcher took and then gave up on. xdg-open starts at once
// and decides only later whether anything can open the address (with no browser installed
// it ends with status 3 after about a second); the launch does not wait for it, so the
// failure comes afterwards, as a signal in the application's thread.

#include <QObject>
#include <QString>

#include <chrono>
#include <string>

namespace horvane {

// A launcher that ends with a failure status within this time of its start failed to open
// what it was given. One that ends later ran the opening program in the foreground (a
// browser closed hours later), and its status says nothing about the launch.
inline constexpr std::chrono::seconds kLaunchWatchPeriod{5};

class LaunchFailures : public QObject {
    Q_OBJECT

public:
    ~LaunchFailures() override;

signals:
    // target: the address, or the absolute path of the local file, handed to the launcher.
    void Failed(const QString& target);

private:
    explicit LaunchFailures(QObject* parent);
    friend LaunchFailures& DesktopLaunchFailures();
};

// The run's one object, a child of the application, made on first use; ask for it from the
// application's thread.
LaunchFailures& DesktopLaunchFailures();

// From any thread: the launcher handed target failed within the watch period. The object
// emits Failed in its own thread; without an object nobody is listening, and nothing is sent.
void ReportLaunchFailure(const std::string& target);

} // namespace horvane
