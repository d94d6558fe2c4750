#pragma once
// Which names the store can keep for a location.

#include <string>
#include <string_view>

namespace horvane {

// Why the store cannot keep this name, as a message for the user; empty when it can. A
// name is one registry key (not empty, no backslash, at most 255 characters), and it must
// not look like "%NAME%": saved as the current location it would be stored as an
// expandable string and read back changed.
std::string LocationNameProblem(std::string_view name);

} // namespace horvane
