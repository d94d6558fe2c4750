#include "platform/ui/LeaveValidation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QWidget>
#include <QWindow>

namespace horvane {
namespace {

QWidget* FocusTarget(QWidget* widget) {
    while (widget && widget->focusProxy())
        widget = widget->focusProxy();
    return widget;
}

bool TakesTabFocus(QWidget* widget) {
    return widget->isVisible() && widget->isEnabled() && !widget->focusProxy() &&
           (widget->focusPolicy() & Qt::TabFocus);
}

// The widget Tab (or Shift+Tab) moves to from the given one inside its window.
QWidget* NextInTabOrder(QWidget* from, bool forward) {
    QWidget* widget = from;
    do {
        widget = forward ? widget->nextInFocusChain() : widget->previousInFocusChain();
        if (widget->window() == from->window() && TakesTabFocus(widget))
            return widget;
    } while (widget != from);
    return nullptr;
}

// The button Enter clicks: the focused button when it takes Enter, otherwise the
// dialog's default button.
QWidget* ButtonForEnter(QWidget* focused) {
    if (auto* button = qobject_cast<QPushButton*>(focused); button && button->autoDefault())
        return button;
    for (QPushButton* button : focused->window()->findChildren<QPushButton*>()) {
        if (button->isDefault())
            return button;
    }
    return nullptr;
}

bool IsPress(QEvent* event) {
    return event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonDblClick;
}

bool IsEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

LeaveValidation::LeaveValidation(QWidget* window) : QObject(window), window_(window) {
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>())
        child->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget* old, QWidget* now) { FocusChanged(old, now); });
}

void LeaveValidation::AddBox(QWidget* box, Validator validate) {
    boxes_[box] = std::move(validate);
}

void LeaveValidation::SetCausesValidation(QWidget* control, bool causes) {
    if (causes)
        notValidating_.erase(control);
    else
        notValidating_.insert(control);
}

bool LeaveValidation::CausesValidation(QWidget* control) const {
    return !notValidating_.count(control);
}

QWidget* LeaveValidation::BoxToValidate() const {
    QWidget* focused = QApplication::focusWidget();
    if (boxes_.count(focused))
        return focused;
    return pending_;
}

// Presses are judged as the window gets them, before they move the focus.
QWidget* LeaveValidation::PressTarget(QMouseEvent* press) const {
    // A press on a part of a control (the combo box's text) goes to the control.
    QWidget* widget = window_->childAt(press->position().toPoint());
    for (; widget && widget != window_; widget = widget->parentWidget()) {
        QWidget* target = FocusTarget(widget);
        if (target->isEnabled() && (target->focusPolicy() & Qt::ClickFocus))
            return target;
    }
    return nullptr;
}

QWidget* LeaveValidation::TargetOf(QWidget* widget, QEvent* event) const {
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            return boxes_.count(widget) ? NextInTabOrder(widget, key == Qt::Key_Tab) : nullptr;
        if (IsEnter(key))
            return ButtonForEnter(widget);
        if (key == Qt::Key_Space && qobject_cast<QAbstractButton*>(widget))
            return widget;
        return nullptr;
    }
    case QEvent::Shortcut:
        return widget;
    default:
        return nullptr;
    }
}

bool LeaveValidation::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle())
        window_->windowHandle()->installEventFilter(this);
    if (watched == window_->windowHandle())
        return IsPress(event) && ValidateBefore(PressTarget(static_cast<QMouseEvent*>(event)));
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || boxes_.empty())
        return false;
    // A key the focused control did not take travels on to its parents: judge it once.
    if (event->type() == QEvent::KeyPress && widget != QApplication::focusWidget())
        return false;
    QWidget* target = TargetOf(widget, event);
    return target && ValidateBefore(target);
}

bool LeaveValidation::ValidateBefore(QWidget* target) {
    QWidget* box = BoxToValidate();
    if (!target)
        return false;
    if (!box || target == box || !CausesValidation(target))
        return false;
    return Refused(box);
}

bool LeaveValidation::ValidateBoxLeft() {
    QWidget* focused = window_->focusWidget();
    QWidget* box = boxes_.count(focused) ? focused : pending_;
    return !box || !Refused(box);
}

bool LeaveValidation::Refused(QWidget* box) {
    bool cancel = false;
    boxes_.at(box)(cancel);
    pending_ = nullptr;
    if (cancel) {
        // A message box may have taken the activation: give it back with the focus.
        box->activateWindow();
        box->setFocus(Qt::OtherFocusReason);
    }
    return cancel;
}

void LeaveValidation::FocusChanged(QWidget* old, QWidget* now) {
    if (boxes_.count(now))
        pending_ = nullptr;
    else if (boxes_.count(old) && now && now->window() == window_ && !CausesValidation(now))
        pending_ = old;
}

} // namespace horvane
