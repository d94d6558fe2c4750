#include "app/DisplayCheck.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace horvane {
namespace {

constexpr const char* kX11Variable = "DISPLAY";
constexpr const char* kWaylandVariable = "WAYLAND_DISPLAY";
constexpr const char* kPlatformVariable = "QT_QPA_PLATFORM";
// The socket a Wayland client connects to when WAYLAND_DISPLAY is not set.
constexpr const char* kDefaultWaylandSocket = "wayland-0";

// The platform chosen on the command line or in the environment (the command line wins),
// empty when Qt is left to choose.
std::string ChosenPlatform(const std::vector<std::string>& arguments,
                           const EnvironmentLookup& environment) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == "-platform" || arguments[i] == "--platform")
            return arguments[i + 1];
    return environment(kPlatformVariable);
}

// Connects as Qt's X11 platform would, which also checks the server's authorisation.
bool X11Reachable(const std::string& display) {
    if (display.empty())
        return false;
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return reached;
}

// Connects to the compositor's socket: the name as given when it is a path, otherwise in
// XDG_RUNTIME_DIR, as the Wayland client library looks for it.
bool WaylandReachable(const std::string& name, const EnvironmentLookup& environment) {
    const std::string socketName = name.empty() ? kDefaultWaylandSocket : name;
    const std::string runtime = environment("XDG_RUNTIME_DIR");
    if (socketName.front() != '/' && runtime.empty())
        return false;
    const std::string path = socketName.front() == '/' ? socketName : runtime + "/" + socketName;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int descriptor = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (descriptor < 0)
        return false;
    const bool reached =
        connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(descriptor);
    return reached;
}

// Whether Qt's platform of this name (options after a colon aside) can start: X11 and Wayland
// when their display answers, any other as far as can be told here.
bool PlatformReachable(std::string_view entry, const EnvironmentLookup& environment) {
    const std::string_view name = entry.substr(0, entry.find(':'));
    if (name == "xcb")
        return X11Reachable(environment(kX11Variable));
    if (name.starts_with("wayland"))
        return WaylandReachable(environment(kWaylandVariable), environment);
    return true;
}

// Whether one of the platforms in Qt's list ("wayland;xcb") can start.
bool SomePlatformReachable(const std::string& platforms, const EnvironmentLookup& environment) {
    for (std::size_t start = 0;;) {
        const std::size_t end = platforms.find(';', start);
        if (PlatformReachable(std::string_view(platforms).substr(start, end - start), environment))
            return true;
        if (end == std::string::npos)
            return false;
        start = end + 1;
    }
}

// Left to choose, Qt takes a display that is named; one that answers will do.
bool SomeNamedDisplayReachable(const EnvironmentLookup& environment) {
    const std::string x11 = environment(kX11Variable);
    const std::string wayland = environment(kWaylandVariable);
    return (!x11.empty() && X11Reachable(x11)) ||
           (!wayland.empty() && WaylandReachable(wayland, environment));
}

// "DISPLAY=:99, WAYLAND_DISPLAY=wayland-9": the variables that name a display.
std::string NamedDisplays(const EnvironmentLookup& environment) {
    std::string named;
    for (const char* variable : {kX11Variable, kWaylandVariable, kPlatformVariable}) {
        if (const std::string value = environment(variable); !value.empty())
            named += (named.empty() ? "" : ", ") + std::string(variable) + "=" + value;
    }
    return named;
}

} // namespace

std::string ProcessEnvironment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

bool DisplayNamed(const std::vector<std::string>& arguments, const EnvironmentLookup& environment) {
    for (const char* name : {kX11Variable, kWaylandVariable, kPlatformVariable})
        if (!environment(name).empty())
            return true;
    return std::any_of(arguments.begin(), arguments.end(), [](const std::string& argument) {
        return argument == "-platform" || argument == "--platform";
    });
}

std::string DisplayProblem(const std::vector<std::string>& arguments,
                           const EnvironmentLookup& environment) {
    if (!DisplayNamed(arguments, environment))
        return kNoDisplayMessage;
    const std::string platform = ChosenPlatform(arguments, environment);
    const bool reachable = platform.empty() ? SomeNamedDisplayReachable(environment)
                                            : SomePlatformReachable(platform, environment);
    if (reachable)
        return {};
    const std::string named = NamedDisplays(environment);
    return std::string(kUnreachableDisplayMessage) + (named.empty() ? "" : " (" + named + ")");
}

} // namespace horvane
