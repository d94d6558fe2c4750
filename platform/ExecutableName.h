#pragma once
// The running program's name, as error records show it.

#include <string>

namespace horvane {

// The executable's file name without its extension ("horvane"), or "horvane" when the
// running program's file cannot be found.
std::string ExecutableName();

} // namespace horvane
