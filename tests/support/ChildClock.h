#pragma once
// A whole clock in a child process: its own application object (made after the fork, as Qt
// requires), the store on the parent's hives, and the main window. The parent drives it
// through a handshake and reads what its error path showed from a file.

#include "app/HorvaneApplication.h"
#include "clock/frmMain.h"
#include "platform/ui/ListComboBox.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"
#include "settings/frmLocation.h"
#include "testing/ClockWindowDoubles.h"
#include "tests/support/ChildProcess.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <functional>
#include <poll.h>
#include <string>

namespace horvane::test_support {

// One byte through a pipe in each direction: "go on" from parent to child and back.
class Handshake {
public:
    Handshake() {
        if (pipe(toChild_) != 0 || pipe(toParent_) != 0)
            toChild_[0] = toChild_[1] = toParent_[0] = toParent_[1] = -1;
    }
    Handshake(const Handshake&) = delete;
    Handshake& operator=(const Handshake&) = delete;
    ~Handshake() {
        for (const int end : {toChild_[0], toChild_[1], toParent_[0], toParent_[1]})
            close(end);
    }
    void TellChild() { Send(toChild_[1]); }
    void TellParent() { Send(toParent_[1]); }
    // False when the other side did not tell within a minute.
    bool AwaitChild() { return Receive(toParent_[0]); }
    bool AwaitParent() { return Receive(toChild_[0]); }

private:
    static void Send(int end) {
        const char go = 'g';
        [[maybe_unused]] const ssize_t sent = write(end, &go, 1);
    }
    static bool Receive(int end) {
        pollfd ready{end, POLLIN, 0};
        char go = 0;
        return poll(&ready, 1, kPatienceMs) == 1 && read(end, &go, 1) == 1;
    }
    static constexpr int kPatienceMs = 60'000;
    int toChild_[2];
    int toParent_[2];
};

// What a child clock does with its window; answers the child's exit status.
using ClockWork = std::function<int(HorvaneApplication&, frmMain&)>;

// Runs a clock in a child process: the window starts (loading the settings) and work acts on
// it. What the error path showed is written, one message after another, to shownFile. An error
// at start-up ends the child with kExitOnError, as it ends the program. asNobody: a child of
// root runs as the user nobody, for whom file permissions count.
inline pid_t StartChildClock(const std::filesystem::path& shownFile, const ClockWork& work,
                             bool asNobody = false) {
    return StartChild([&shownFile, &work, asNobody] {
        if (asNobody && geteuid() == 0 && (setgid(kNobody) != 0 || setuid(kNobody) != 0))
            return 90;
        static int argc = 1;
        static char name[] = "horvane-child";
        static char* argv[] = {name, nullptr};
        ScriptedPrompt prompt;
        int status = kExitOnError;
        {
            HorvaneApplication application(argc, argv, prompt);
            LongLat store;
            try {
                frmMain window(store, prompt);
                status = work(application, window);
            } catch (const RegistryError& error) {
                application.ReportError(RuntimeErrorMessage(error));
            }
            if (application.Failed())
                status = kExitOnError;
        }
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // closes the hives as exit does
        std::ofstream shown(shownFile, std::ios::binary);
        for (const std::string& message : prompt.errors)
            shown << message << '\n';
        return status;
    });
}

// Saves a new place through the window's Change Location dialog, as a user does: the location
// button, New, the name typed, OK. Answers false when the dialog did not close with it saved.
inline bool SavePlaceThroughDialog(frmMain& window, const std::string& name) {
    QTest::mouseClick(window.cmdLocation, Qt::LeftButton);
    frmLocation* dialog = window.Location();
    if (dialog == nullptr || !dialog->isVisible())
        return false;
    QTest::mouseClick(dialog->cmdNew, Qt::LeftButton);
    QTest::keyClicks(dialog->cbxLocation, QString::fromStdString(name));
    QTest::mouseClick(dialog->cmdOK, Qt::LeftButton);
    return !dialog->isVisible();
}

} // namespace horvane::test_support
