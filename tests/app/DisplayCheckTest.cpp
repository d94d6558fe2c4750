#include "app/DisplayCheck.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace horvane;

TEST(DisplayNamed, AnyDisplayVariableOrAChosenPlatformCounts) {
    struct Row {
        const char* variable;
        const char* value;
        std::vector<std::string> arguments;
        bool named;
    };
    const Row rows[] = {{"", "", {}, false},
                        {"DISPLAY", "", {}, false},
                        {"DISPLAY", ":0", {}, true},
                        {"WAYLAND_DISPLAY", "wayland-0", {}, true},
                        {"QT_QPA_PLATFORM", "offscreen", {}, true},
                        {"", "", {"-platform", "offscreen"}, true},
                        {"", "", {"--platform", "xcb"}, true}};
    for (const Row& row : rows) {
        const auto lookup = [&row](const char* name) {
            return std::string(std::string(name) == row.variable ? row.value : "");
        };
        EXPECT_EQ(DisplayNamed(row.arguments, lookup), row.named) << row.variable << row.value;
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
