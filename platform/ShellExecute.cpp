#include "platform/ShellExecute.h"

#include "platform/LaunchFailures.h"

#include <cerrno>
#include <chrono>
#include <exception>
#include <filesystem>
#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <thread>
#include <utility>

extern char** environ;

namespace horvane {
namespace {

// The program that opens a file or an address with the desktop's default handler.
constexpr const char* kDesktopLauncher = "xdg-open";

ShellExecuteHandler& InstalledHandler() {
    static ShellExecuteHandler handler;
    return handler;
}

// An address such as "https://..." or "mailto:...": a scheme of a letter and at least one
// more letter, digit, "+", "-" or ".", then a colon.
bool IsAddress(const std::string& file) {
    const std::size_t colon = file.find(':');
    if (colon == std::string::npos || colon < 2)
        return false;
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = file[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!letter && !(i > 0 && other))
            return false;
    }
    return true;
}

bool IsOpenVerb(const std::string& verb) {
    return verb.empty() || strcasecmp(verb.c_str(), "open") == 0;
}

// Whether a wait status says the launcher gave up: it exited with a failure status or was
// killed before it could hand the request on.
bool LauncherFailed(int status) {
    return !WIFEXITED(status) || WEXITSTATUS(status) != 0;
}

// Waits for the launcher in the background, so that it leaves no zombie behind, and reports
// it when it fails within the watch period. Without a thread to spare it stays a zombie until
// the program ends, which is harmless, and its failure goes unreported.
void WatchInBackground(pid_t child, const std::string& target) {
    const auto started = std::chrono::steady_clock::now();
    try {
        std::thread([child, started, target] {
            int status = 0;
            pid_t ended = 0;
            while ((ended = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
            }
            if (ended == child && LauncherFailed(status) &&
                std::chrono::steady_clock::now() - started < kLaunchWatchPeriod)
                ReportLaunchFailure(target);
        }).detach();
    } catch (const std::exception&) {
    }
}

// Starts the launcher on one argument in a session of its own, so that what it opens
// outlives a terminal the clock was started from. Answers the spawn's error number.
int SpawnLauncher(const std::string& target) {
    std::string program = kDesktopLauncher;
    std::string argument = target;
    char* argv[] = {program.data(), argument.data(), nullptr};
    posix_spawnattr_t attributes;
    if (const int error = posix_spawnattr_init(&attributes); error != 0)
        return error;
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const int error = posix_spawnp(&child, kDesktopLauncher, nullptr, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    if (error == 0)
        WatchInBackground(child, target);
    return error;
}

} // namespace

std::intptr_t OpenWithDesktopLauncher(const ShellExecuteRequest& request) {
    if (!IsOpenVerb(request.verb) || !request.parameters.empty())
        return SE_ERR_NOASSOC;
    namespace fs = std::filesystem;
    std::error_code error;
    if (!request.directory.empty() && !fs::is_directory(request.directory, error))
        return SE_ERR_PNF;
    std::string target = request.file;
    if (!IsAddress(target)) {
        // A local file goes to the launcher as an absolute path: it then never starts with
        // "-", so the launcher cannot take it for one of its options.
        if (target.empty())
            return SE_ERR_FNF;
        const fs::path path = fs::absolute(fs::path(request.directory) / target, error);
        if (error || !fs::exists(path, error))
            return SE_ERR_FNF;
        target = path.string();
    }
    return SpawnLauncher(target) == 0 ? kShellRequestHandedOver : SE_ERR_NOASSOC;
}

std::intptr_t ShellExecuteA(WindowHandle owner, const std::string& verb, const std::string& file,
                            const std::string& parameters, const std::string& directory,
                            std::int32_t showCommand) {
    const ShellExecuteRequest request{owner, verb, file, parameters, directory, showCommand};
    const ShellExecuteHandler& handler = InstalledHandler();
    return handler ? handler(request) : OpenWithDesktopLauncher(request);
}

ShellExecuteHandler SetShellExecuteHandler(ShellExecuteHandler handler) {
    return std::exchange(InstalledHandler(), std::move(handler));
}

} // namespace horvane
