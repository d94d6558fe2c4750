#pragma once
// Starting the clock with the desktop: an entry in the user's XDG autostart folder that
// starts the program in the tray.

#include <filesystem>
#include <string>

namespace horvane {

// $XDG_CONFIG_HOME/autostart/horvane.desktop (~/.config where XDG_CONFIG_HOME is unset,
// empty or relative).
std::filesystem::path AutostartEntryPath();

// The program as the Exec key of a desktop entry gives it: as it is where it holds no
// reserved character, else in double quotes with " ` $ \ escaped; % doubled either way, then
// every backslash doubled by the rule for string values.
std::string DesktopExecProgram(const std::string& program);

// The entry that starts program (an absolute path) with --tray; empty when program holds a
// control character or is not UTF-8, which no entry can carry.
std::string AutostartEntryText(const std::string& program);

// Writes the entry starting program, creating its folder; the old entry or the whole new one
// is there whatever fails. Answers what failed, naming the file, or empty on success.
std::string EnableAutostart(const std::filesystem::path& program);

// Removes the entry; none there is success. Anything at its path other than a file or a link
// (a folder, say) is left as it is and reported. Answers what failed, or empty on success.
std::string DisableAutostart();

// An entry is there: a file, or a link to one.
bool IsAutostartEnabled();

} // namespace horvane
