#include "app/HorvaneApplication.h"

#include "platform/ui/MessagePrompt.h"
#include "settings/RegistryError.h"

#include <exception>

namespace horvane {

std::string RuntimeErrorMessage(const RegistryError& error) {
    return "Run-time error '" + std::to_string(error.Number()) + "':\n\n" + error.Description();
}

HorvaneApplication::HorvaneApplication(int& argc, char** argv, MessagePrompt& prompt)
    : QApplication(argc, argv), prompt_(prompt) {}

bool HorvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const RegistryError& error) {
        ReportError(RuntimeErrorMessage(error));
    } catch (const std::exception& error) {
        ReportError(std::string("Run-time error:\n\n") + error.what());
    } catch (...) {
        ReportError("Run-time error:\n\nUnknown error");
    }
    return true;
}

void HorvaneApplication::ReportError(const std::string& message) {
    if (failed_)
        return;
    failed_ = true;
    prompt_.ShowError(message);
    exit(kExitOnError);
}

} // namespace horvane
