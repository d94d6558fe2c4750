#pragma once
// Validate-on-leave for text boxes: when the focus is about to leave a box for a control
// that causes validation, the box validates; a failure keeps the focus in the box and the
// click, key or shortcut that would have moved it does not happen. Controls that do not
// cause validation (a Cancel button) take the focus freely; the box then validates when a
// control that causes validation is used next.

#include <QObject>

#include <functional>
#include <map>
#include <set>

class QMouseEvent;
class QWidget;

namespace horvane {

class LeaveValidation : public QObject {
public:
    // Sets cancel to keep the focus in the box; shows its own message.
    using Validator = std::function<void(bool& cancel)>;

    explicit LeaveValidation(QWidget* window);

    void AddBox(QWidget* box, Validator validate);
    void SetCausesValidation(QWidget* control, bool causes);
    // Forgets a box left for a control that does not cause validation: its text was
    // replaced from code, or the window opens again.
    void ForgetLeftBox() { pending_ = nullptr; }
    // Validates the box that the window's focus is in, or the one left for a control that
    // does not cause validation, as a control that causes validation would: for leaving the
    // window for good. Answers false when the box refused and kept the focus.
    bool ValidateBoxLeft();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BoxToValidate() const;
    QWidget* PressTarget(QMouseEvent* press) const;
    // The control that a press, key or shortcut on the widget would move to or act on.
    QWidget* TargetOf(QWidget* widget, QEvent* event) const;
    bool CausesValidation(QWidget* control) const;
    // Runs the box's validation; answers true when the event must not go on.
    bool ValidateBefore(QWidget* target);
    // Runs the box's validation; a failure gives the box the focus back. Answers true then.
    bool Refused(QWidget* box);
    void FocusChanged(QWidget* old, QWidget* now);

    QWidget* window_;
    std::map<QWidget*, Validator> boxes_;
    std::set<QWidget*> notValidating_;
    QWidget* pending_ = nullptr;
};

} // namespace horvane
