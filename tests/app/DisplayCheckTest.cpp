#include "app/DisplayCheck.h"

#include <QProcess>
#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <map>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace horvane;

namespace {

// An X11 display that no server answers: no test machine runs that many servers.
constexpr const char* kNoServer = ":4987";

} // namespace

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

// A display that answers: a Wayland compositor's socket that the test listens on, found in
// XDG_RUNTIME_DIR or by its path. A platform other than X11 and Wayland is not tried. A named
// display nobody listens on is "cannot be reached", whichever variable or argument named it.
TEST(DisplayProblem, OnlyADisplayThatAnswersOrAnotherPlatformLetsTheClockStart) {
    QTemporaryDir runtime;
    const std::string socketPath = runtime.filePath("wayland-test").toStdString();
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, socketPath.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    const std::string unreachable = kUnreachableDisplayMessage;
    using Variables = std::map<std::string, std::string>;
    const std::tuple<Variables, std::vector<std::string>, std::string> rows[] = {
        {{{"WAYLAND_DISPLAY", "wayland-test"}}, {}, ""},
        {{{"WAYLAND_DISPLAY", socketPath}}, {}, ""},
        {{{"WAYLAND_DISPLAY", "wayland-test"}, {"DISPLAY", kNoServer}}, {}, ""},
        {{{"QT_QPA_PLATFORM", "xcb;wayland"}, {"WAYLAND_DISPLAY", "wayland-test"}}, {}, ""},
        {{{"DISPLAY", kNoServer}, {"QT_QPA_PLATFORM", "offscreen"}}, {}, ""},
        {{{"DISPLAY", kNoServer}}, {"-platform", "minimal"}, ""},
        {{}, {}, kNoDisplayMessage},
        {{{"DISPLAY", kNoServer}}, {}, unreachable + " (DISPLAY=" + kNoServer + ")"},
        {{{"WAYLAND_DISPLAY", "wayland-none"}},
         {},
         unreachable + " (WAYLAND_DISPLAY=wayland-none)"},
        {{{"DISPLAY", kNoServer}, {"WAYLAND_DISPLAY", "wayland-none"}},
         {},
         unreachable + " (DISPLAY=" + kNoServer + ", WAYLAND_DISPLAY=wayland-none)"},
        {{{"WAYLAND_DISPLAY", "wayland-test"}, {"QT_QPA_PLATFORM", "xcb"}},
         {},
         unreachable + " (WAYLAND_DISPLAY=wayland-test, QT_QPA_PLATFORM=xcb)"},
        {{{"QT_QPA_PLATFORM", "offscreen"}, {"WAYLAND_DISPLAY", "wayland-test"}},
         {"-platform", "wayland:option"},
         ""},
        {{{"QT_QPA_PLATFORM", "wayland"}}, {}, unreachable + " (QT_QPA_PLATFORM=wayland)"},
    };
    for (const auto& [variables, arguments, problem] : rows) {
        Variables environment = variables;
        environment.emplace("XDG_RUNTIME_DIR", runtime.path().toStdString());
        const auto lookup = [&environment](const char* name) {
            const auto found = environment.find(name);
            return found == environment.end() ? std::string() : found->second;
        };
        EXPECT_EQ(DisplayProblem(arguments, lookup), problem)
            << ::testing::PrintToString(variables) << ::testing::PrintToString(arguments);
    }
    close(listener);
}

// The clock itself, before any window: one line and status 1 without a display, and with a
// display named that does not answer (Qt would abort).
TEST(NoDisplay, TheClockSaysSoOnOneLineAndEndsWithStatus1) {
    QTemporaryDir runtime;
    const std::string unreachable = kUnreachableDisplayMessage;
    const std::pair<std::map<QString, QString>, std::string> rows[] = {
        {{}, kNoDisplayMessage},
        {{{"DISPLAY", kNoServer}}, unreachable + " (DISPLAY=" + kNoServer + ")"},
        {{{"WAYLAND_DISPLAY", "wayland-none"}}, unreachable + " (WAYLAND_DISPLAY=wayland-none)"},
        {{{"DISPLAY", kNoServer}, {"QT_QPA_PLATFORM", "xcb"}},
         unreachable + " (DISPLAY=" + kNoServer + ", QT_QPA_PLATFORM=xcb)"},
    };
    for (const auto& [variables, message] : rows) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(name);
        for (const auto& [name, value] : variables)
            environment.insert(name, value);
        environment.insert("XDG_RUNTIME_DIR", runtime.path());
        environment.insert("XDG_CONFIG_HOME", "/nonexistent-horvane-test");
        process.setProcessEnvironment(environment);
        process.start(HORVANE_PATH, {});
        ASSERT_TRUE(process.waitForFinished(10000));
        EXPECT_EQ(std::tuple(process.exitStatus(), process.exitCode(),
                             process.readAllStandardError(), process.readAllStandardOutput()),
                  std::tuple(QProcess::NormalExit, 1, QByteArray::fromStdString(message) + "\n",
                             QByteArray()))
            << message;
    }
}
