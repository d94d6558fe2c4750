#pragma once
// Reading a key's values and subkeys through the registry calls.

#include "tools/reg/RegKeyNames.h"

#include <string>
#include <vector>

namespace horvane::reg {

struct NamedValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Each answers a registry result code.
LONG ReadValues(const KeyName& key, std::vector<NamedValue>& values);
LONG ReadSubKeys(const KeyName& key, std::vector<std::string>& names);
LONG ReadValue(const KeyName& key, const std::string& name, NamedValue& value);

// The key's path spelt as stored, whatever the case it was typed in.
LONG StoredKeyName(const KeyName& typed, KeyName& stored);

} // namespace horvane::reg
