#include "platform/ExecutableName.h"

#include <system_error>

namespace horvane {

std::filesystem::path ExecutableFromLink(std::string_view link) {
    constexpr std::string_view kDeleted = " (deleted)";
    if (link.ends_with(kDeleted))
        link.remove_suffix(kDeleted.size());
    return link;
}

std::filesystem::path ExecutablePath() {
    std::error_code error;
    const std::filesystem::path link = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : ExecutableFromLink(link.native());
}

std::string ExecutableName() {
    const std::filesystem::path executable = ExecutablePath();
    return executable.empty() ? std::string("horvane") : executable.stem().string();
}

} // namespace horvane
