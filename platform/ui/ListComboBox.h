#pragma once
// An editable combo box that keeps a list index as the dialog logic expects it: the index
// of the selected entry, or -1 whenever the text in the box is not that entry.

#include <QComboBox>

#include <string>

namespace horvane {

class ListComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ListComboBox(QWidget* parent = nullptr);

    // The selected entry's index; -1 once the text was typed or set from code.
    int ListIndex() const;
    // Selects the entry (-1: none, and the text empties) and raises the click.
    void SetListIndex(int index);

    int ListCount() const { return count(); }
    std::string List(int index) const;
    void AddItem(const std::string& name);
    // Empties the list and the text.
    void Clear();

    std::string Text() const;
    // Puts a text in the box as if typed; the list index then reads -1.
    void SetText(const std::string& text);
    // The text last typed or put in the box, or "" after the list index was set to -1.
    const std::string& TypedText() const { return typedText_; }

signals:
    // The user chose an entry, or the list index was set from code.
    void clicked();
    // After each key the box has taken, with the key's code.
    void keyPressed(int key);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool textIsTyped_ = false;
    std::string typedText_;
};

} // namespace horvane
