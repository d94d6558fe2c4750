#pragma once
// The message boxes the windows ask questions and report errors with. The windows talk to
// this interface only; the program gives them QtMessagePrompt, tests a scripted one.

#include <string>

class QWidget;

namespace horvane {

enum class PromptAnswer { Yes, No, Cancel };

class MessagePrompt {
public:
    virtual ~MessagePrompt() = default;
    // A question with Yes, No and Cancel; closing the box answers Cancel.
    virtual PromptAnswer AskYesNoCancel(const std::string& question) = 0;
    // A message with a single OK button; its text can be selected and copied.
    virtual void ShowError(const std::string& message) = 0;
};

// The application's title, shown on every message box as the default title.
inline constexpr const char* kApplicationTitle = "Horvane";

// Modal QMessageBoxes over the given parent window (or none).
class QtMessagePrompt : public MessagePrompt {
public:
    explicit QtMessagePrompt(QWidget* parent = nullptr) : parent_(parent) {}
    PromptAnswer AskYesNoCancel(const std::string& question) override;
    void ShowError(const std::string& message) override;

private:
    QWidget* parent_;
};

} // namespace horvane
