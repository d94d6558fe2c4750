#pragma once
// The error that the registry class raises: a number, a source and a description.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace horvane {

// Numbers of the errors that the registry class raises.
inline constexpr std::int32_t kRegistryKeyError = 26001;
inline constexpr std::int32_t kRegistrySetValueError = std::int32_t(0x800469A9);
inline constexpr std::int32_t kRegistryEnumerateError = std::int32_t(0x800469AA);
inline constexpr std::int32_t kAssociationListError = std::int32_t(0x800469AC);
inline constexpr std::int32_t kAssociationClassError = std::int32_t(0x800469AD);

// The description of an error raised without one of its own.
inline constexpr const char* kApplicationDefinedError =
    "Application-defined or object-defined error";

class RegistryError : public std::runtime_error {
public:
    RegistryError(std::int32_t number, const std::string& description);

    std::int32_t Number() const { return number_; }
    // The executable's name without its extension, followed by ".cRegistry".
    const std::string& Source() const { return source_; }
    std::string Description() const { return what(); }

private:
    std::int32_t number_;
    std::string source_;
};

} // namespace horvane
