#pragma once
// %NAME% expansion from the process environment, as kernel32's ExpandEnvironmentStringsA.

#include <cstdint>
#include <string>
#include <string_view>

namespace horvane {

// Each %NAME% whose NAME is set in the environment becomes its value; other text,
// unknown names included, stays as written.
std::string ExpandEnvironmentText(std::string_view text);

// True when the text could name a variable: a "%" with another "%" at least two
// characters further on. Such a text is stored as an expandable string.
bool HoldsVariableReference(std::string_view text);

// Writes the expansion of lpSrc with its terminating zero to lpDst when nSize bytes
// suffice, and answers the size that the expansion needs, zero included.
std::uint32_t ExpandEnvironmentStringsA(const char* lpSrc, char* lpDst, std::uint32_t nSize);

} // namespace horvane
