#include "platform/ui/ListComboBox.h"
#include "platform/ui/HandlerGuard.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace horvane {

ListComboBox::ListComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    // Neither completion nor the box itself may turn a typed name into an entry: the
    // user chooses entries from the list.
    setCompleter(nullptr);
    disconnect(lineEdit(), SIGNAL(editingFinished()), this, nullptr);
    disconnect(lineEdit(), SIGNAL(returnPressed()), this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        textIsTyped_ = true;
        typedText_ = text.toStdString();
    });
    connect(this, qOverload<int>(&QComboBox::activated), this, Guarded([this] {
                textIsTyped_ = false;
                RaiseClick();
            }));
}

int ListComboBox::ListIndex() const {
    return textIsTyped_ ? -1 : currentIndex();
}

void ListComboBox::SetListIndex(int index) {
    textIsTyped_ = false;
    if (index < 0)
        typedText_.clear();
    setCurrentIndex(index);
    if (index < 0)
        lineEdit()->clear();
    RaiseClick();
}

std::string ListComboBox::List(int index) const {
    return itemText(index).toStdString();
}

// The first entry added to an empty list would be selected: the list keeps its selection.
void ListComboBox::AddItem(const std::string& name) {
    const bool selected = currentIndex() >= 0;
    const QString text = lineEdit()->text();
    addItem(QString::fromStdString(name));
    if (!selected) {
        setCurrentIndex(-1);
        lineEdit()->setText(text);
    }
}

void ListComboBox::Clear() {
    clear();
    lineEdit()->clear();
    textIsTyped_ = false;
    typedText_.clear();
}

std::string ListComboBox::Text() const {
    return currentText().toStdString();
}

void ListComboBox::SetText(const std::string& text) {
    setEditText(QString::fromStdString(text));
    textIsTyped_ = true;
    typedText_ = text;
}

void ListComboBox::keyPressEvent(QKeyEvent* event) {
    QComboBox::keyPressEvent(event);
    if (keyPress_)
        RunHandler([this, key = event->key()] { keyPress_(key); });
}

void ListComboBox::RaiseClick() {
    if (click_)
        click_();
}

} // namespace horvane
