#include "platform/LaunchFailures.h"

#include <QCoreApplication>

#include <mutex>

namespace horvane {
namespace {

// The object while it exists. The mutex keeps a report from reaching an object being
// destroyed: once a report is posted, the object's destruction discards it.
std::mutex instanceMutex;
LaunchFailures* instance = nullptr;

} // namespace

LaunchFailures::LaunchFailures(QObject* parent) : QObject(parent) {}

LaunchFailures::~LaunchFailures() {
    const std::lock_guard lock(instanceMutex);
    instance = nullptr;
}

LaunchFailures& DesktopLaunchFailures() {
    const std::lock_guard lock(instanceMutex);
    if (!instance)
        instance = new LaunchFailures(QCoreApplication::instance());
    return *instance;
}

void ReportLaunchFailure(const std::string& target) {
    const std::lock_guard lock(instanceMutex);
    if (!instance)
        return;
    LaunchFailures* failures = instance;
    QMetaObject::invokeMethod(
        failures,
        [failures, target = QString::fromStdString(target)] { emit failures->Failed(target); },
        Qt::QueuedConnection);
}

} // namespace horvane
