// horvane: the clock.

#include "app/DisplayCheck.h"
#include "app/HorvaneApplication.h"
#include "clock/frmMain.h"
#include "gazetteer/PlacesAttribution.h"
#include "platform/ProgramVersion.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"

#include <iostream>
#include <memory>
#include <optional>

using namespace horvane;

namespace {

constexpr const char* kUsage =
    "usage: horvane [--help | --version]\n"
    "\n"
    "A desktop clock that tells the time by the sun and the moon at a chosen place: solar\n"
    "time on a round face, the day's twilight, sunrise, sunset, moonrise and moonset.\n"
    "The place is chosen in the window's Change Location dialog.\n"
    "\n"
    "  --help     this text\n"
    "  --version  the program's version\n"
    "\n"
    "The settings and locations are kept in $XDG_CONFIG_HOME/horvane/ (by default\n"
    "~/.config/horvane/); horvane-reg reads and writes them, horvane-almanac prints the\n"
    "clock's events and the year's rising and setting times.\n";

// Answers --help and --version, which need no display, before the window system is asked.
std::optional<int> AnswerInformationOption(int argc, char** argv) {
    if (argc != 2)
        return std::nullopt;
    const std::string option = argv[1];
    if (option == "--help")
        std::cout << kUsage;
    else if (option == "--version")
        std::cout << VersionText("horvane") << kPlacesAttribution;
    else
        return std::nullopt;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (const std::optional<int> exitCode = AnswerInformationOption(argc, argv))
        return *exitCode;
    if (const std::string problem = DisplayProblem(std::vector<std::string>(argv + 1, argv + argc));
        !problem.empty()) {
        std::cerr << problem << "\n";
        return kExitOnError;
    }
    QtMessagePrompt prompt;
    HorvaneApplication application(argc, argv, prompt);
    QApplication::setApplicationName("horvane");
    // No display name: the window system would add it to every title ("Change Location — ...").
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
