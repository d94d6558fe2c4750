#pragma once
// The user's own folders, as the XDG base directory rules place them.

#include <filesystem>

namespace horvane {

// $XDG_CONFIG_HOME, or ~/.config where it is unset, empty or relative (the rules ignore a
// relative setting). ~ is $HOME where that is absolute, else the account's home folder.
std::filesystem::path UserConfigFolder();

} // namespace horvane
