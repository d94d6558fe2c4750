#pragma once
// The clock in the desktop's tray: a picture of the sky now, a tooltip with the next events,
// and a menu of what can be done without the window. It asks for everything by signals and
// shows what it is told by its setters; it never reaches into a window.

#include "resources/SkyPicture.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace horvane {

class TrayIcon : public QObject {
    Q_OBJECT

public:
    // Shows the icon, with the window icon until the first SetSky.
    explicit TrayIcon(QObject* parent);
    ~TrayIcon() override;

    // The desktop shows tray icons: a StatusNotifierItem watcher with a host on the session
    // bus, or an XEmbed tray on X11. Ask once a QApplication exists.
    static bool Available();

    // Draws the sky anew only when it differs from the picture shown.
    void SetSky(const SkyPicture& sky);
    void SetToolTip(const QString& text);
    // The menu offers to hide the window while it is shown, to show it otherwise.
    void SetWindowShown(bool shown);
    // The menu offers to resume while paused, to pause otherwise.
    void SetPaused(bool paused);
    // The checks of the two settings; setting them sends no signal.
    void SetStartWithDesktop(bool on);
    void SetKeepRunning(bool on);

signals:
    // The icon was activated, or the menu's Show/Hide chosen.
    void showHideRequested();
    void changeLocationRequested();
    void remindersRequested();
    // paused: the clock is to stop (Pause chosen) or go on (Resume chosen).
    void pauseRequested(bool paused);
    void startWithDesktopToggled(bool on);
    void keepRunningToggled(bool on);
    void quitRequested();

private:
    template <typename Signal> QAction* AddRequest(const QString& text, Signal signal);
    void BuildMenu();

    std::unique_ptr<QMenu> menu_; // a widget, so not a child of this object
    QSystemTrayIcon* icon_ = nullptr;
    QAction* showHide_ = nullptr;
    QAction* pause_ = nullptr;
    QAction* startWithDesktop_ = nullptr;
    QAction* keepRunning_ = nullptr;
    std::optional<SkyPicture> sky_;
    bool paused_ = false;
};

} // namespace horvane
