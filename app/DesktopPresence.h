#pragma once
// The clock beyond its window: its icon in the desktop's tray with a menu, its reminders as
// desktop notifications, and its entry among the programs the desktop starts. All of it
// follows the window's clock model; where the desktop has no tray, the window is the only way
// in and is never hidden.

#include <QObject>

namespace horvane {

class DesktopNotifications;
class LongLat;
class MessagePrompt;
class Reminders;
class TrayIcon;
class frmMain;
class frmReminders;

class DesktopPresence : public QObject {
    Q_OBJECT

public:
    // Puts the icon in the tray when the desktop has one, and starts the reminders stored.
    DesktopPresence(frmMain& window, LongLat& store, MessagePrompt& prompt,
                    QObject* parent = nullptr);
    ~DesktopPresence() override;

    bool InTray() const { return tray_ != nullptr; }
    // Shows the window, unless asked to start hidden and the tray offers a way back to it.
    void ShowWindow(bool hiddenInTray);
    // Shows the Reminders dialog, made on first use and kept.
    void OpenReminders();

protected:
    // Closing the window hides it while the clock keeps running in the tray.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowTrayIcon();
    void ConnectTray();
    void ConnectClock();
    void FollowClockInTray();
    void ToggleWindow();
    void SetStartWithDesktop(bool on);
    void SetKeepRunning(bool on);
    // Ends the program as closing the window does without the tray: saving, unless paused.
    void Quit();

    frmMain& window_;
    LongLat& store_;
    MessagePrompt& prompt_;
    TrayIcon* tray_ = nullptr;                      // none where the desktop has no tray
    Reminders* reminders_ = nullptr;                // a child
    DesktopNotifications* notifications_ = nullptr; // a child
    frmReminders* remindersDialog_ = nullptr;       // the window's child, once opened
    bool keepRunning_ = false;
    bool quitting_ = false;
};

} // namespace horvane
