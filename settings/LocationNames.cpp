#include "settings/LocationNames.h"

#include "platform/EnvironmentStrings.h"
#include "platform/registry/RegistryNames.h"

namespace horvane {

std::string LocationNameProblem(std::string_view name) {
    if (name.empty())
        return "Please type a name for the location.";
    if (name.find('\\') != std::string_view::npos)
        return "A location name cannot contain a backslash (\\).";
    if (!IsValidUtf8(name))
        return "A location name must be readable text.";
    if (CharacterCount(name) > kMaxKeyNameCharacters)
        return "A location name can be at most " + std::to_string(kMaxKeyNameCharacters) +
               " characters long.";
    if (HoldsVariableReference(name))
        return "A location name cannot hold text between two percent signs (%).";
    return {};
}

} // namespace horvane
