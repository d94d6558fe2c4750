#pragma once
// Work run in a child process with its own hive connections: a second program using the
// same hives, or the program as another user.

#include "platform/registry/RegistryHives.h"

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace horvane::test_support {

inline constexpr uid_t kNobody = 65534;

// Starts work in a child process; answers its pid. The child exits with work's result.
inline pid_t StartChild(const std::function<int()>& work) {
    const RegistryHiveLocations locations = CurrentRegistryHiveLocations();
    SetRegistryHiveLocations(locations); // no connection may cross the fork
    const pid_t child = fork();
    if (child == 0) {
        SetRegistryHiveLocations(locations);
        _exit(work());
    }
    return child;
}

// The child's exit status, or -1 when it did not exit by itself.
inline int ExitStatus(pid_t child) {
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs work as the user nobody and answers its exit status (90: could not change user).
inline int RunAsNobody(const std::function<int()>& work) {
    return ExitStatus(
        StartChild([&work] { return setgid(kNobody) != 0 || setuid(kNobody) != 0 ? 90 : work(); }));
}

} // namespace horvane::test_support
