#pragma once
// Hands a document, a program or a web address to the shell with a verb such as "open",
// so that the application associated with it opens it. Failures come back as false and
// a readable error record, never as an exception.

#include "platform/ShellExecute.h"

#include <cstdint>
#include <string>

namespace horvane {

// What went wrong in the last failed ShellLaunch.
struct ShellErrorRecord {
    std::int32_t number = 0;
    std::string source;      // the executable's name followed by ".GShell"
    std::string description; // empty when the last call succeeded
};

// Asks the shell to carry out the verb on the file. A program (".EXE" anywhere in the
// name, any case) starts hidden; with neither parameters nor a directory the application
// starts in a normal window whatever the show state. Answers true when the shell took the
// request; otherwise false, with the reason in ShellError().
bool ShellLaunch(const std::string& file, std::int32_t showState, const std::string& parameters,
                 const std::string& directory, const std::string& verb, WindowHandle owner);

// The record of the last call: cleared by each call, filled when it fails.
const ShellErrorRecord& ShellError();

} // namespace horvane
