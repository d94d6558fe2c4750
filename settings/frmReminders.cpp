#include "settings/frmReminders.h"

#include "platform/ui/FormDesign.h"
#include "platform/ui/HandlerGuard.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace horvane {
namespace {

// The minutes a reminder newly switched on starts from.
constexpr int kSuggestedMinutes = 10;

QString Caption(BoardEvent event) {
    return QString::fromLatin1(BoardEventCaption(event));
}

} // namespace

frmReminders::frmReminders(LongLat& store, QWidget* parent) : QDialog(parent), store_(store) {
    setWindowTitle(QStringLiteral("Reminders"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(false);
    setFont(FormFont());
    CreateControls();
}

void frmReminders::CreateControls() {
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Remind me before"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Minutes before"), this), 0, 1);
    for (int row = 0; row < kBoardEventCount; ++row) {
        const auto event = BoardEvent(row);
        QCheckBox* remind = remind_[row] = new QCheckBox(Caption(event), this);
        QSpinBox* minutes = minutes_[row] = new QSpinBox(this);
        remind->setAccessibleName(Caption(event) + " reminder");
        minutes->setAccessibleName("Minutes before " + Caption(event));
        minutes->setRange(0, kMaxReminderMinutes);
        minutes->setValue(kSuggestedMinutes);
        minutes->setEnabled(false);
        connect(remind, &QCheckBox::toggled, minutes, &QSpinBox::setEnabled);
        grid->addWidget(remind, row + 1, 0);
        grid->addWidget(minutes, row + 1, 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    cancel_ = buttons->button(QDialogButtonBox::Cancel);
    ok_->setAccessibleName(QStringLiteral("OK"));
    cancel_->setAccessibleName(QStringLiteral("Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, Guarded([this] { Save(); }));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    // Never smaller than its texts need.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frmReminders::Open() {
    if (!isVisible())
        ShowReminders(store_.ReadReminders());
    show();
    raise();
    activateWindow();
}

ReminderMinutes frmReminders::Chosen() const {
    ReminderMinutes chosen;
    for (int row = 0; row < kBoardEventCount; ++row)
        if (remind_[row]->isChecked())
            chosen.before[row] = minutes_[row]->value();
    return chosen;
}

void frmReminders::ShowReminders(const ReminderMinutes& reminders) {
    for (int row = 0; row < kBoardEventCount; ++row) {
        const std::optional<int>& minutes = reminders.before[row];
        remind_[row]->setChecked(minutes.has_value());
        minutes_[row]->setValue(minutes.value_or(kSuggestedMinutes));
    }
}

void frmReminders::Save() {
    const ReminderMinutes chosen = Chosen();
    store_.SaveReminders(chosen);
    emit Saved(chosen);
    accept();
}

} // namespace horvane
