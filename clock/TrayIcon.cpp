#include "clock/TrayIcon.h"

#include "clock/ClockCommands.h"
#include "resources/Artwork.h"

#include <QMenu>
#include <QSystemTrayIcon>

namespace horvane {
namespace {

const char* const kShowWindow = "Show the clock";
const char* const kHideWindow = "Hide the clock";

} // namespace

TrayIcon::TrayIcon(QObject* parent)
    : QObject(parent), menu_(std::make_unique<QMenu>()), icon_(new QSystemTrayIcon(this)) {
    BuildMenu();
    icon_->setContextMenu(menu_.get());
    icon_->setIcon(WindowIcon());
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
                if (why == QSystemTrayIcon::Trigger)
                    emit showHideRequested();
            });
    icon_->show();
}

// The icon goes before its menu.
TrayIcon::~TrayIcon() {
    delete icon_;
}

bool TrayIcon::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

// triggered, not toggled: only the user's choice is news, not a setter's.
template <typename Signal> QAction* TrayIcon::AddRequest(const QString& text, Signal signal) {
    QAction* action = menu_->addAction(text);
    connect(action, &QAction::triggered, this, signal);
    return action;
}

void TrayIcon::BuildMenu() {
    showHide_ = AddRequest(kHideWindow, &TrayIcon::showHideRequested);
    AddRequest(kChangeLocationCommand, &TrayIcon::changeLocationRequested);
    AddRequest(kRemindersCommand, &TrayIcon::remindersRequested);
    menu_->addSeparator();
    pause_ = AddRequest(kPauseCommand, [this] { emit pauseRequested(!paused_); });
    menu_->addSeparator();
    startWithDesktop_ =
        AddRequest(QStringLiteral("Start with the desktop"), &TrayIcon::startWithDesktopToggled);
    keepRunning_ = AddRequest(QStringLiteral("Keep running in the tray when the window is closed"),
                              &TrayIcon::keepRunningToggled);
    startWithDesktop_->setCheckable(true);
    keepRunning_->setCheckable(true);
    menu_->addSeparator();
    AddRequest(QStringLiteral("Quit"), &TrayIcon::quitRequested);
}

void TrayIcon::SetSky(const SkyPicture& sky) {
    if (sky_ == sky)
        return;
    sky_ = sky;
    icon_->setIcon(SkyIcon(sky));
}

void TrayIcon::SetToolTip(const QString& text) {
    if (icon_->toolTip() != text)
        icon_->setToolTip(text);
}

void TrayIcon::SetWindowShown(bool shown) {
    showHide_->setText(shown ? kHideWindow : kShowWindow);
}

void TrayIcon::SetPaused(bool paused) {
    paused_ = paused;
    pause_->setText(paused ? kResumeCommand : kPauseCommand);
}

void TrayIcon::SetStartWithDesktop(bool on) {
    startWithDesktop_->setChecked(on);
}

void TrayIcon::SetKeepRunning(bool on) {
    keepRunning_->setChecked(on);
}

} // namespace horvane
