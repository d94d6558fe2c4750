#include "settings/RegistryError.h"

#include <filesystem>
#include <system_error>

namespace horvane {
namespace {

std::string ExecutableName() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string("horvane") : executable.stem().string();
}

} // namespace

RegistryError::RegistryError(std::int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number), source_(ExecutableName() + ".cRegistry") {}

} // namespace horvane
