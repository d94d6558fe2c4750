#pragma once
// Which names the store can keep for a location.

#include <string>
#include <string_view>

namespace horvane {

// Why the store cannot keep this name, as a message for the user; empty when it can. A
// name is one registry key (not empty, no backslash, at most 255 characters) of readable
// text on one line: no control characters (C0, DEL, C1) and no line or paragraph
// separators. It must not look like "%NAME%" either: saved as the current location it
// would be stored as an expandable string and read back changed.
std::string LocationNameProblem(std::string_view name);

// The name as typed less the blanks at both ends: every Unicode white space (spaces of all
// widths, the no-break ones included, tabs and line breaks). Text that is not UTF-8 stays
// as it is.
std::string TrimmedName(std::string_view typed);

} // namespace horvane
