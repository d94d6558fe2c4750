#include "settings/RegistryError.h"

#include "platform/ExecutableName.h"

namespace horvane {

RegistryError::RegistryError(std::int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number), source_(ExecutableName() + ".cRegistry") {}

} // namespace horvane
