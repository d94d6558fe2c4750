#pragma once
// The command line: an operation, its operands and its switches (/v NAME, /s, ...),
// switches in any case and with / or -.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace horvane::reg {

// A failure to report as "ERROR: " followed by the message.
struct CommandError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct RegArguments {
    std::string operation;                // query, add, delete, export or import
    std::vector<std::string> operands;    // the key, and the file for export
    std::optional<std::string> valueName; // /v NAME; /ve gives the empty name
    bool allValues = false;               // /va
    bool recurse = false;                 // /s
    bool force = false;                   // /f
    bool overwriteFile = false;           // /y
    std::optional<std::string> type;      // /t
    std::optional<std::string> data;      // /d
};

// Throws CommandError for an unknown operation, a switch that the operation does not
// take, a missing switch argument or the wrong number of operands.
RegArguments ParseArguments(const std::vector<std::string>& arguments);

extern const char* const kUsage;

} // namespace horvane::reg
