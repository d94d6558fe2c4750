#include "shell/Autostart.h"

#include "platform/FileSync.h"
#include "platform/SafeFileWrite.h"
#include "platform/UserFolders.h"
#include "platform/Utf8.h"

#include <algorithm>
#include <string_view>
#include <system_error>

namespace horvane {
namespace {

constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view kEscapedInQuotes = "\"`$\\";
constexpr const char* kTrayArgument = " --tray";

bool HoldsControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](unsigned char c) { return c < 0x20 || c == 0x7f; });
}

std::string Failure(const char* what, const std::filesystem::path& path,
                    const std::error_code& error) {
    return std::string(what) + " " + path.string() + ": " + error.message();
}

std::string DoubledBackslashesAndPercents(const std::string& text) {
    std::string doubled;
    for (char c : text) {
        if (c == '\\' || c == '%')
            doubled += c;
        doubled += c;
    }
    return doubled;
}

} // namespace

std::filesystem::path AutostartEntryPath() {
    return UserConfigFolder() / "autostart" / "horvane.desktop";
}

std::string DesktopExecProgram(const std::string& program) {
    if (program.find_first_of(kReserved) == std::string::npos)
        return DoubledBackslashesAndPercents(program);
    std::string quoted = "\"";
    for (char c : program) {
        if (kEscapedInQuotes.find(c) != std::string_view::npos)
            quoted += '\\';
        quoted += c;
    }
    return DoubledBackslashesAndPercents(quoted + "\"");
}

std::string AutostartEntryText(const std::string& program) {
    if (HoldsControlCharacter(program) || !IsValidUtf8(program))
        return {};
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Horvane\n"
           "Comment=Starts the clock in the tray when the desktop starts\n"
           "Exec=" +
           DesktopExecProgram(program) + kTrayArgument +
           "\n"
           "Icon=horvane\n"
           "Terminal=false\n";
}

std::string EnableAutostart(const std::filesystem::path& program) {
    const std::string text = AutostartEntryText(program.string());
    if (text.empty())
        return "the program's path " + program.string() +
               " holds characters an autostart entry cannot carry";
    const std::filesystem::path entry = AutostartEntryPath();
    std::error_code error;
    std::filesystem::create_directories(entry.parent_path(), error);
    if (error)
        return Failure("cannot create the folder", entry.parent_path(), error);
    if (const std::error_code written = WriteFileSafely(entry, text))
        return Failure("cannot write the autostart entry", entry, written);
    return {};
}

std::string DisableAutostart() {
    const std::filesystem::path entry = AutostartEntryPath();
    std::error_code error;
    const std::filesystem::file_type type = std::filesystem::symlink_status(entry, error).type();
    if (type == std::filesystem::file_type::not_found)
        return {};
    if (type != std::filesystem::file_type::regular && type != std::filesystem::file_type::symlink)
        return entry.string() + " is not an autostart entry; it was left as it is";
    if (!std::filesystem::remove(entry, error) && error)
        return Failure("cannot remove the autostart entry", entry, error);
    SyncFolder(entry.parent_path());
    return {};
}

bool IsAutostartEnabled() {
    std::error_code error;
    return std::filesystem::is_regular_file(AutostartEntryPath(), error);
}

} // namespace horvane
