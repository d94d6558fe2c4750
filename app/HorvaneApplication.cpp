#include "app/HorvaneApplication.h"

#include "platform/ui/HandlerGuard.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/RegistryError.h"

#include <exception>

namespace horvane {

std::string RuntimeErrorMessage(const RegistryError& error) {
    return "Run-time error '" + std::to_string(error.Number()) + "':\n\n" + error.Description();
}

namespace {

std::string ErrorMessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const RegistryError& registryError) {
        return RuntimeErrorMessage(registryError);
    } catch (const std::exception& otherError) {
        return std::string("Run-time error:\n\n") + otherError.what();
    } catch (...) {
        return "Run-time error:\n\nUnknown error";
    }
}

} // namespace

HorvaneApplication::HorvaneApplication(int& argc, char** argv, MessagePrompt& prompt)
    : QApplication(argc, argv), prompt_(prompt) {
    SetHandlerErrorSink([this](std::exception_ptr error) { ReportError(ErrorMessageOf(error)); });
}

HorvaneApplication::~HorvaneApplication() {
    SetHandlerErrorSink(nullptr);
}

// The last resort, for a handler that is not run through RunHandler.
bool HorvaneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ReportError(ErrorMessageOf(std::current_exception()));
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
