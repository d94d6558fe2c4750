#pragma once
// The Reminders dialog: for each of the board's events, whether a reminder comes and how many
// minutes before it.

#include "settings/LongLat.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QPushButton;
class QSpinBox;

namespace horvane {

// Not modal; the object lives for the whole run.
class frmReminders : public QDialog {
    Q_OBJECT

public:
    // store: the run's one store.
    explicit frmReminders(LongLat& store, QWidget* parent = nullptr);

    // Shows the stored reminders without blocking; when already shown, only raises and
    // activates the dialog.
    void Open();

    // The reminders as the controls choose them.
    ReminderMinutes Chosen() const;

    QCheckBox* RemindBox(BoardEvent event) const { return remind_[int(event)]; }
    QSpinBox* MinutesBox(BoardEvent event) const { return minutes_[int(event)]; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

signals:
    // OK wrote these reminders to the store as one change.
    void Saved(const ReminderMinutes& reminders);

private:
    void CreateControls();
    void ShowReminders(const ReminderMinutes& reminders);
    // Writes the reminders chosen, tells the clock and closes; a store error leaves the dialog
    // open and goes to the handler's edge.
    void Save();

    LongLat& store_;
    std::array<QCheckBox*, kBoardEventCount> remind_{};
    std::array<QSpinBox*, kBoardEventCount> minutes_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace horvane
