#pragma once
// Key names as the command takes them: a root (HKCU or HKEY_CURRENT_USER, HKLM,
// HKCR, any case) and a backslash-separated path below it.

#include "platform/registry/RegistryTypes.h"

#include <string>
#include <string_view>

namespace horvane::reg {

struct KeyName {
    HKEY root{};
    std::string rootName; // the long form: HKEY_CURRENT_USER
    std::string path;     // below the root, without a trailing backslash; empty: the root
};

// Answers false for an unknown root or a malformed path.
bool ParseKeyName(std::string_view text, KeyName& key);

// The full name, HKEY_CURRENT_USER\Software\...
std::string FullName(const KeyName& key);

KeyName SubKey(const KeyName& key, const std::string& name);

// The root whose hive holds the key: HKEY_CLASSES_ROOT lives in the machine's hive.
HKEY HiveRoot(HKEY root);

} // namespace horvane::reg
