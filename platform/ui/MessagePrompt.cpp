#include "platform/ui/MessagePrompt.h"

#include <QMessageBox>
#include <QString>

namespace horvane {

PromptAnswer QtMessagePrompt::AskYesNoCancel(const std::string& question) {
    const auto button = QMessageBox::question(
        parent_, QString::fromUtf8(kApplicationTitle), QString::fromStdString(question),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (button == QMessageBox::Yes)
        return PromptAnswer::Yes;
    if (button == QMessageBox::No)
        return PromptAnswer::No;
    return PromptAnswer::Cancel;
}

// The message can be selected and copied: a file name or an address in it may be needed
// elsewhere.
void QtMessagePrompt::ShowError(const std::string& message) {
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(kApplicationTitle),
                    QString::fromStdString(message), QMessageBox::Ok, parent_);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace horvane
