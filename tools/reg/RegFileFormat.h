#pragma once
// The registry editor's text format: a header line, [KEY] sections, and value lines
// such as "name"="text", "name"=dword:0000002a, "name"=hex:01,02 and "name"=hex(7):...
// A file with the UTF-16LE byte-order mark is wide and carries the string types' hex
// forms as UTF-16LE; any other file is narrow text (UTF-8 here) throughout, whichever
// header it has. Export writes wide files with the version 5.00 header.

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

// The changes a file asks for, in file order. Throws CommandError naming the file (by
// fileName) and the line for a file that is not entirely well formed: where the registry
// editor would skip a bad line and import the rest, the whole file is refused.
std::vector<ImportStep> ParseRegFile(std::string fileBytes, std::string_view fileName);

} // namespace horvane::reg
