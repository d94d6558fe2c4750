#pragma once
// The application object of the clock: the boundary where an error raised inside an event
// handler is caught before it can reach the event loop, shown, and the program ended.

#include <QApplication>
#include <string>

namespace horvane {

class MessagePrompt;
class RegistryError;

// Exit status of a run ended by an error.
inline constexpr int kExitOnError = 1;

// "Run-time error '26001':" and the description below it.
std::string RuntimeErrorMessage(const RegistryError& error);

class HorvaneApplication : public QApplication {
public:
    // Becomes the sink of errors caught at the handlers' edges (RunHandler): each is shown,
    // and the event loop is told to end with kExitOnError. Nothing else runs in the handlers
    // afterwards: a window that is still open is not closed, so it saves nothing.
    HorvaneApplication(int& argc, char** argv, MessagePrompt& prompt);
    ~HorvaneApplication() override;

    // Delivers the event; an exception that a handler let through ends here the same way.
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the error once; later errors (from events delivered while the first one is shown)
    // are dropped.
    void ReportError(const std::string& message);

    bool Failed() const { return failed_; }

private:
    MessagePrompt& prompt_;
    bool failed_ = false;
};

} // namespace horvane
