#include "platform/ExecutableName.h"

#include <filesystem>
#include <system_error>

namespace horvane {

std::string ExecutableName() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("horvane") : executable.stem().string();
}

} // namespace horvane
