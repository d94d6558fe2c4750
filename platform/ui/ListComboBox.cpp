#include "platform/ui/ListComboBox.h"
#include "platform/ui/HandlerGuard.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace horvane {
namespace {

// An editable combo box selects the entry whose text was typed when its line edit finishes
// editing (Return or leaving it). Here only the list chooses entries, so the line edit keeps
// quiet about finished edits; the combo box never hears of them.
class TypingLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        const QSignalBlocker quiet(this);
        QLineEdit::focusOutEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        const bool finishes = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QSignalBlocker quiet(finishes ? this : nullptr);
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

ListComboBox::ListComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(true);
    setLineEdit(new TypingLineEdit(this));
    setInsertPolicy(QComboBox::NoInsert);
    // Neither completion nor the box itself may turn a typed name into an entry: the
    // user chooses entries from the list.
    setCompleter(nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        textIsTyped_ = true;
        typedText_ = text.toStdString();
    });
    connect(this, qOverload<int>(&QComboBox::activated), this, Guarded([this] {
                textIsTyped_ = false;
                emit clicked();
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
    emit clicked();
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
    emit keyPressed(event->key());
}

} // namespace horvane
