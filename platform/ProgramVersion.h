#pragma once
// What every command prints for --version.

#include <string>

namespace horvane {

// "horvane-almanac 0.1.0", one line: the form help2man reads the version from.
inline std::string VersionText(const std::string& program) {
    return program + " " + HORVANE_VERSION + "\n";
}

} // namespace horvane
