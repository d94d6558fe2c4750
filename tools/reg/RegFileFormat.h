#pragma once
// The registry editor's text format: a header line, [KEY] sections, and value lines
// such as "name"="text", "name"=dword:0000002a, "name"=hex:01,02 and "name"=hex(7):...
// Version 5.00 files are UTF-16LE with a byte-order mark and carry the string types'
// hex forms as UTF-16LE; REGEDIT4 files are narrow text (UTF-8 here) throughout.

#include "tools/reg/RegKeyNames.h"
#include "tools/reg/RegistryReading.h"

#include <string>
#include <vector>

namespace horvane::reg {

inline constexpr const char* kUnicodeHeader = "Windows Registry Editor Version 5.00";
inline constexpr const char* kNarrowHeader = "REGEDIT4";

// The section of one key with its values, CRLF line ends, ending in an empty line.
// Throws CommandError for a name that the format cannot hold (one with a line break).
std::string SectionText(const KeyName& key, const std::vector<NamedValue>& values);

// The file's bytes for the text: UTF-16LE with its byte-order mark.
std::string UnicodeFileBytes(const std::string& text);

struct ImportStep {
    enum class Action { CreateKey, DeleteKey, SetValue, DeleteValue };
    Action action = Action::CreateKey;
    KeyName key;
    NamedValue value; // the value to set, or the name of the one to delete
    int line = 0;
};

// The changes a file asks for, in file order. Throws CommandError naming the line for
// a file that is not entirely well formed.
std::vector<ImportStep> ParseRegFile(const std::string& fileBytes);

} // namespace horvane::reg
