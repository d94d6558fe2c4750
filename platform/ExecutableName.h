#pragma once
// The running program's file and name, as error records show it.

#include <filesystem>
#include <string>
#include <string_view>

namespace horvane {

// The file a /proc/PID/exe link names: link itself, less the " (deleted)" the kernel adds
// once the file was replaced or removed (as a package upgrade does to a running program).
std::filesystem::path ExecutableFromLink(std::string_view link);

// The absolute path of the running program's file, or empty when it cannot be found.
std::filesystem::path ExecutablePath();

// The executable's file name without its extension ("horvane"), or "horvane" when the
// running program's file cannot be found.
std::string ExecutableName();

} // namespace horvane
