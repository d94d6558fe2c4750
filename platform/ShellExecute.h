#pragma once
// What stands in for shell32's ShellExecuteA: hands a document or a web address to the
// desktop's default handler, which xdg-open starts.

#include <cstdint>
#include <functional>
#include <string>

namespace horvane {

// A window handle as the shell call takes it; 0 for none.
using WindowHandle = std::intptr_t;

// Show-window codes for the started application's first window.
inline constexpr std::int32_t SW_HIDE = 0;
inline constexpr std::int32_t SW_SHOWNORMAL = 1;
inline constexpr std::int32_t SW_SHOWDEFAULT = 10;

// The result codes this stand-in gives, with ShellExecute's meanings: above 32 the request
// was handed over; 2 a local file that does not exist; 3 a working directory that does not
// exist; 31 nothing can carry the request out (no launcher can be started, a verb other
// than "open", or parameters, which xdg-open cannot pass on).
inline constexpr std::intptr_t kShellRequestHandedOver = 33;
inline constexpr std::intptr_t SE_ERR_FNF = 2;
inline constexpr std::intptr_t SE_ERR_PNF = 3;
inline constexpr std::intptr_t SE_ERR_NOASSOC = 31;

// The arguments of one shell call.
struct ShellExecuteRequest {
    WindowHandle owner = 0;
    std::string verb;
    std::string file;
    std::string parameters;
    std::string directory;
    std::int32_t showCommand = SW_SHOWNORMAL;
};

using ShellExecuteHandler = std::function<std::intptr_t(const ShellExecuteRequest&)>;

// Carries the request out through the handler in place (xdg-open unless a test put its own).
std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& directory,
                            std::int32_t showCommand);

// Starts xdg-open on the file or address, with an argument vector and never through a
// shell, and does not wait for it: a launcher that gives up soon after is reported through
// DesktopLaunchFailures(). The owner and the show command have no counterpart on the
// desktop and are not used.
std::intptr_t OpenWithDesktopLauncher(const ShellExecuteRequest& request);

// Puts a handler in place of xdg-open (an empty one restores it); answers the one replaced.
ShellExecuteHandler SetShellExecuteHandler(ShellExecuteHandler handler);

} // namespace horvane
