#include "app/DisplayCheck.h"

#include <algorithm>
#include <cstdlib>

namespace horvane {

std::string ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool DisplayNamed(const std::vector<std::string>& arguments, const EnvironmentLookup& environment) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!environment(name).empty())
            return true;
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "-platform" || argument == "--platform";
    });
}

} // namespace horvane
