#include "platform/UserFolders.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace horvane {
namespace {

// A relative HOME would put files below whatever folder the program runs in: like the XDG
// rules for XDG_CONFIG_HOME, it counts as unset.
std::filesystem::path HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home;
    if (const passwd* entry = getpwuid(getuid()))
        return entry->pw_dir;
    return "/";
}

} // namespace

std::filesystem::path UserConfigFolder() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return config;
    return HomeFolder() / ".config";
}

} // namespace horvane
