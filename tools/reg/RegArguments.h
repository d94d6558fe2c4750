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
    bool help = false;                    // /?, /h or -h after the operation: its usage only
    std::vector<std::string> operands;    // the key, and the file for export
    std::optional<std::string> valueName; // /v NAME; /ve gives the empty name
    bool allValues = false;               // /va
    bool recurse = false;                 // query's /s
    std::optional<std::string> separator; // add's /s SEP
    bool force = false;                   // /f
    bool overwriteFile = false;           // /y
    std::optional<std::string> type;      // /t
    std::optional<std::string> data;      // /d
};

// Throws CommandError for an unknown operation, a switch that the operation does not
// take or that is given twice, a missing switch argument or the wrong number of operands.
RegArguments ParseArguments(const std::vector<std::string>& arguments);

// The usage of every operation, and of one (by its name in lower case).
std::string Usage();
std::string OperationUsage(const std::string& operation);

} // namespace horvane::reg
