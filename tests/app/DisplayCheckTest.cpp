#include "app/DisplayCheck.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace horvane;

// Each row sets at most one variable.
TEST(DisplayNamed, AnyDisplayVariableOrAChosenPlatformCounts) {
    const std::tuple<std::string, std::string, std::vector<std::string>, bool> rows[] = {
        {"", "", {}, false},
        {"DISPLAY", "", {}, false},
        {"DISPLAY", ":0", {}, true},
        {"WAYLAND_DISPLAY", "wayland-0", {}, true},
        {"QT_QPA_PLATFORM", "offscreen", {}, true},
        {"", "", {"-platform", "offscreen"}, true},
        {"", "", {"--platform", "xcb"}, true}};
    for (const auto& row : rows) {
        const auto& [variable, value, arguments, named] = row;
        const auto lookup = [&row](const char* name) {
            return name == std::get<0>(row) ? std::get<1>(row) : std::string();
        };
        EXPECT_EQ(DisplayNamed(arguments, lookup), named) << variable << value;
    }
}

TEST(NoDisplay, TheClockSaysSoOnOneLineAndEndsWithStatus1) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", "/nonexistent-horvane-test");
    process.setProcessEnvironment(environment);
    process.start(HORVANE_PATH, {});
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(
        std::tuple(process.exitStatus(), process.exitCode(), process.readAllStandardError(),
                   process.readAllStandardOutput()),
        std::tuple(QProcess::NormalExit, 1, QByteArray(kNoDisplayMessage) + "\n", QByteArray()));
}
