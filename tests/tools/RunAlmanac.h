#pragma once
// Runs the horvane-almanac program as a user would, with English names, a store of the test's
// choosing (by default an empty configuration folder) and a system zone (by default UTC).

#include <QProcess>
#include <QTemporaryDir>

namespace horvane::test_support {

struct AlmanacRun {
    int exitCode;
    QString out;
    QString err;
};

inline AlmanacRun RunAlmanac(const QStringList& arguments, const QString& configHome = {},
                             const QString& zone = "UTC") {
    QTemporaryDir emptyConfig;
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C"); // English day and month names in the time line
    environment.insert("TZ", zone);
    environment.insert("XDG_CONFIG_HOME", configHome.isEmpty() ? emptyConfig.path() : configHome);
    process.setProcessEnvironment(environment);
    process.start(HORVANE_ALMANAC_PATH, arguments);
    process.waitForFinished(10000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace horvane::test_support
