#include "app/DesktopPresence.h"
#include "app/HorvaneApplication.h"

#include "clock/ClockModel.h"
#include "clock/Reminders.h"
#include "clock/SkyState.h"
#include "clock/TrayIcon.h"
#include "clock/TrayToolTip.h"
#include "clock/frmMain.h"
#include "platform/DesktopNotifications.h"
#include "platform/ExecutableName.h"
#include "platform/ui/HandlerGuard.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/LongLat.h"
#include "settings/frmReminders.h"
#include "shell/Autostart.h"

#include <QApplication>
#include <QCloseEvent>

namespace horvane {

DesktopPresence::DesktopPresence(frmMain& window, LongLat& store, MessagePrompt& prompt,
                                 QObject* parent)
    : QObject(parent), window_(window), store_(store), prompt_(prompt),
      reminders_(new Reminders(this)), notifications_(new DesktopNotifications(this)) {
    reminders_->SetMinutes(store_.ReadReminders());
    ConnectClock();
    if (TrayIcon::Available())
        ShowTrayIcon();
}

DesktopPresence::~DesktopPresence() = default;

// Reminders go with the clock's ticks, their texts to the desktop's notifications.
void DesktopPresence::ConnectClock() {
    const ClockModel& model = window_.Model();
    connect(&model, &ClockModel::ticked, this, Guarded([this, &model] {
        reminders_->Check(model.Board(), model.Now(), model.UtcOffsetMinutes(), model.Place());
    }));
    // Another place (or the same one moved) takes the coming events afresh.
    connect(&model, &ClockModel::minuteRefreshed, this, [this](bool placeChanged) {
        if (placeChanged)
            reminders_->Reschedule();
    });
    connect(&model, &ClockModel::pausedChanged, reminders_, &Reminders::SetPaused);
    connect(reminders_, &Reminders::Due, notifications_, &DesktopNotifications::Show);
    connect(&window_, &frmMain::remindersRequested, this, Guarded([this] { OpenReminders(); }));
    // With a tray, closing a dialog while the window is hidden must not end the program: it
    // ends when the window closes for good.
    connect(&window_, &frmMain::closed, qApp, &QCoreApplication::quit);
    // A session that ends while the window is hidden in the tray still saves the settings, as
    // closing the window would; after an error, nothing more is saved.
    connect(qApp, &QCoreApplication::aboutToQuit, this, Guarded([this] {
                const auto* application = dynamic_cast<HorvaneApplication*>(qApp);
                if (InTray() && !window_.isVisible() && !(application && application->Failed()))
                    window_.Model().Finish();
            }));
}

void DesktopPresence::ShowTrayIcon() {
    tray_ = new TrayIcon(this);
    QApplication::setQuitOnLastWindowClosed(false);
    keepRunning_ = store_.ReadKeepRunningInTray();
    tray_->SetKeepRunning(keepRunning_);
    tray_->SetStartWithDesktop(IsAutostartEnabled());
    tray_->SetPaused(window_.Model().Paused());
    tray_->SetWindowShown(window_.isVisible());
    window_.installEventFilter(this);
    ConnectTray();
    FollowClockInTray();
}

void DesktopPresence::ConnectTray() {
    connect(tray_, &TrayIcon::showHideRequested, this, Guarded([this] { ToggleWindow(); }));
    connect(tray_, &TrayIcon::changeLocationRequested, this, Guarded([this] {
                ShowWindow(false);
                window_.OpenLocation();
            }));
    connect(tray_, &TrayIcon::remindersRequested, this, Guarded([this] { OpenReminders(); }));
    connect(tray_, &TrayIcon::pauseRequested, this, [this](bool paused) {
        if (paused != window_.Model().Paused())
            RunHandler([this] { window_.TogglePause(); });
    });
    connect(tray_, &TrayIcon::startWithDesktopToggled, this,
            [this](bool on) { RunHandler([&] { SetStartWithDesktop(on); }); });
    connect(tray_, &TrayIcon::keepRunningToggled, this,
            [this](bool on) { RunHandler([&] { SetKeepRunning(on); }); });
    connect(tray_, &TrayIcon::quitRequested, this, Guarded([this] { Quit(); }));
}

// The icon shows the sky now and the tooltip the next two events, as the clock refreshes.
void DesktopPresence::FollowClockInTray() {
    const ClockModel& model = window_.Model();
    const auto showSky = [this, &model] {
        tray_->SetSky(SkyPictureAt(model.Now(), model.Seconds(), model.TimesOfDay()));
    };
    connect(&model, &ClockModel::skyChanged, this, Guarded(showSky));
    connect(&model, &ClockModel::minuteRefreshed, this, Guarded([this, &model, showSky] {
        showSky();
        tray_->SetToolTip(
            QString::fromStdString(TrayToolTipText(model.Place(), model.Board(), model.Now())));
    }));
    connect(&model, &ClockModel::pausedChanged, tray_, &TrayIcon::SetPaused);
    showSky();
    tray_->SetToolTip(
        QString::fromStdString(TrayToolTipText(model.Place(), model.Board(), model.Now())));
}

void DesktopPresence::ShowWindow(bool hiddenInTray) {
    if (hiddenInTray && InTray())
        return;
    window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
    window_.show();
    window_.raise();
    window_.activateWindow();
}

// A minimized window is brought back rather than hidden.
void DesktopPresence::ToggleWindow() {
    if (window_.isVisible() && !window_.isMinimized())
        window_.hide();
    else
        ShowWindow(false);
}

void DesktopPresence::OpenReminders() {
    if (remindersDialog_ == nullptr) {
        remindersDialog_ = new frmReminders(store_, &window_);
        connect(remindersDialog_, &frmReminders::Saved, reminders_, &Reminders::SetMinutes);
    }
    remindersDialog_->Open();
}

// A failure leaves the check as the entry is, with the reason told.
void DesktopPresence::SetStartWithDesktop(bool on) {
    const std::string problem = on ? EnableAutostart(ExecutablePath()) : DisableAutostart();
    tray_->SetStartWithDesktop(IsAutostartEnabled());
    if (!problem.empty())
        prompt_.ShowError(problem);
}

void DesktopPresence::SetKeepRunning(bool on) {
    store_.SaveKeepRunningInTray(on);
    keepRunning_ = on;
}

void DesktopPresence::Quit() {
    quitting_ = true;
    window_.close();
    quitting_ = false; // the close was cancelled, to keep the dialog's edits
}

bool DesktopPresence::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Close:
        if (keepRunning_ && !quitting_) {
            event->ignore();
            window_.hide();
            return true;
        }
        break;
    case QEvent::Show:
    case QEvent::Hide:
        tray_->SetWindowShown(event->type() == QEvent::Show);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace horvane
