#include "app/DisplayCheck.h"

#include <QProcess>
#include <gtest/gtest.h>
#include <map>

using namespace horvane;

namespace {

struct DisplayCase {
    std::map<std::string, std::string> environment;
    std::vector<std::string> arguments;
    bool named;
};

class DisplayNaming : public ::testing::TestWithParam<DisplayCase> {};

} // namespace

TEST_P(DisplayNaming, AnyDisplayVariableOrChosenPlatformCounts) {
    const DisplayCase& c = GetParam();
    const auto lookup = [&c](const char* name) {
        const auto found = c.environment.find(name);
        return found == c.environment.end() ? std::string() : found->second;
    };
    EXPECT_EQ(DisplayNamed(c.arguments, lookup), c.named);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayNaming,
    ::testing::Values(DisplayCase{{}, {}, false}, DisplayCase{{{"DISPLAY", ""}}, {}, false},
                      DisplayCase{{{"DISPLAY", ":0"}}, {}, true},
                      DisplayCase{{{"WAYLAND_DISPLAY", "wayland-0"}}, {}, true},
                      DisplayCase{{{"QT_QPA_PLATFORM", "offscreen"}}, {}, true},
                      DisplayCase{{}, {"-platform", "offscreen"}, true}));

TEST(NoDisplay, TheClockSaysSoOnOneLineAndEndsWithStatus1) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_CONFIG_HOME", "/nonexistent-horvane-test");
    process.setProcessEnvironment(environment);
    process.start(HORVANE_PATH, {});
    ASSERT_TRUE(process.waitForFinished(10000));

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()), QString(kNoDisplayMessage) + "\n");
    EXPECT_TRUE(process.readAllStandardOutput().isEmpty());
}
