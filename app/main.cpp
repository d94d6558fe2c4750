// horvane: the clock.

#include "app/DesktopPresence.h"
#include "app/DisplayCheck.h"
#include "app/HorvaneApplication.h"
#include "clock/frmMain.h"
#include "gazetteer/PlacesAttribution.h"
#include "platform/ProgramVersion.h"
#include "platform/ui/MessagePrompt.h"
#include "settings/LongLat.h"
#include "settings/RegistryError.h"

#include <algorithm>
#include <iostream>
#include <memory>
#include <optional>
#include <string_view>

using namespace horvane;

namespace {

constexpr const char* kUsage =
    "usage: horvane [--tray | --help | --version]\n"
    "\n"
    "A desktop clock that tells the time by the sun and the moon at a chosen place: solar\n"
    "time on a round face, the day's twilight, sunrise, sunset, moonrise and moonset.\n"
    "The place is chosen in the window's Change Location dialog. Where the desktop has a tray,\n"
    "the clock shows there too, with its menu, reminders before the events, and a choice to\n"
    "start with the desktop.\n"
    "\n"
    "  --tray     start with the window hidden in the tray (shown where there is no tray)\n"
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

bool StartsInTray(int argc, char** argv) {
    return std::find(argv + 1, argv + argc, std::string_view("--tray")) != argv + argc;
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
    std::unique_ptr<DesktopPresence> presence;
    try {
        window = std::make_unique<frmMain>(store, prompt);
        presence = std::make_unique<DesktopPresence>(*window, store, prompt);
    } catch (const RegistryError& error) {
        application.ReportError(RuntimeErrorMessage(error));
        return kExitOnError;
    }
    presence->ShowWindow(StartsInTray(argc, argv));
    return application.exec();
}
