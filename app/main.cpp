// horvane: the clock.

#include "app/DisplayCheck.h"
#include "app/HorvaneApplication.h"
#include "clock/frmMain.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"

#include <iostream>
#include <memory>

using namespace horvane;

int main(int argc, char** argv) {
    if (!DisplayNamed(std::vector<std::string>(argv + 1, argv + argc))) {
        std::cerr << kNoDisplayMessage << "\n";
        return kExitOnError;
    }
    QtMessagePrompt prompt;
    HorvaneApplication application(argc, argv, prompt);
    QApplication::setApplicationName("horvane");
    QApplication::setApplicationDisplayName(kApplicationTitle);
    QGuiApplication::setDesktopFileName("horvane");

    LongLat store;
    std::unique_ptr<frmMain> window;
    try {
        window = std::make_unique<frmMain>(store, prompt);
    } catch (const RegistryError& error) {
        application.ReportError(RuntimeErrorMessage(error));
        return kExitOnError;
    }
    window->show();
    return application.exec();
}
