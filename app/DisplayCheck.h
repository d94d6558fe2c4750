#pragma once
// Whether the clock has a display to open its window on, asked before Qt is started (Qt
// aborts when it finds none, or cannot reach the one named).

#include <functional>
#include <string>
#include <vector>

namespace horvane {

// The value of an environment variable, empty when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;

std::string ProcessEnvironment(const char* name);

// True when a window system is named: DISPLAY or WAYLAND_DISPLAY set, or a Qt platform chosen
// with QT_QPA_PLATFORM or -platform.
bool DisplayNamed(const std::vector<std::string>& arguments,
                  const EnvironmentLookup& environment = ProcessEnvironment);

// The one line that says why the clock cannot show its window: no display named, or none of
// the X11 and Wayland displays named can be reached. Empty when one can, or when a platform
// other than these two is chosen.
std::string DisplayProblem(const std::vector<std::string>& arguments,
                           const EnvironmentLookup& environment = ProcessEnvironment);

inline constexpr const char* kNoDisplayMessage =
    "horvane: no display to show the clock on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
inline constexpr const char* kUnreachableDisplayMessage =
    "horvane: the display named cannot be reached";

} // namespace horvane
