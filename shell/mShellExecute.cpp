#include "shell/mShellExecute.h"

#include "platform/ExecutableName.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>

namespace horvane {
namespace {

// A failed call's number is this plus the shell's code unless the table gives another.
constexpr std::int32_t kShellErrorBase = -2147220456;

// Stands for "the base number plus the code" in the table below.
constexpr std::int32_t kBaseNumber = 0;

struct ShellFailure {
    std::initializer_list<std::int32_t> codes;
    std::int32_t number;
    const char* description;
};

// The shell's failure codes 0..32; codes not listed here take the last message.
const ShellFailure kShellFailures[] = {
    {{0, 8}, 7, "Out of memory"},
    {{2}, 53, "File not found"},
    {{3}, 76, "Path not found"},
    {{5}, 75, "Path/file access error"},
    {{11}, kBaseNumber, "The executable file is invalid or corrupt"},
    {{26}, 75, "A sharing violation occurred."},
    {{27}, kBaseNumber, "This file type does not have a valid file association."},
    {{28}, 286, "The file could not be opened due to time out.  Please try again in a moment."},
    {{29},
     285,
     "The file could not be opened because the DDE transaction failed.  Please try again in a "
     "moment."},
    {{30},
     285,
     "The file could not be opened because the target application is busy.  Please try again "
     "in a moment."},
    {{31}, kBaseNumber, "No application is associated with this file type."},
    {{32}, 48, "The specified dynamic-link library was not found."},
};
constexpr const char* kOtherShellFailure =
    "An error occurred occurred whilst trying to open or print the selected file.";

ShellErrorRecord lastError;

ShellErrorRecord FailureRecord(std::int32_t code) {
    ShellErrorRecord record{kShellErrorBase + code, ExecutableName() + ".GShell",
                            kOtherShellFailure};
    for (const ShellFailure& failure : kShellFailures) {
        if (std::find(failure.codes.begin(), failure.codes.end(), code) != failure.codes.end()) {
            if (failure.number != kBaseNumber)
                record.number = failure.number;
            record.description = failure.description;
            break;
        }
    }
    return record;
}

bool NamesProgram(const std::string& file) {
    std::string upper = file;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper.find(".EXE") != std::string::npos;
}

} // namespace

bool ShellLaunch(const std::string& file, std::int32_t showState, const std::string& parameters,
                 const std::string& directory, const std::string& verb, WindowHandle owner) {
    lastError = {};
    if (NamesProgram(file))
        showState = SW_HIDE;
    const std::intptr_t result =
        parameters.empty() && directory.empty()
            ? ShellExecuteA(owner, verb, file, "", "", SW_SHOWNORMAL)
            : ShellExecuteA(owner, verb, file, parameters, directory, showState);
    const auto code = static_cast<std::int32_t>(result);
    if (code < 0 || code > 32)
        return true;
    lastError = FailureRecord(code);
    return false;
}

const ShellErrorRecord& ShellError() {
    return lastError;
}

} // namespace horvane
