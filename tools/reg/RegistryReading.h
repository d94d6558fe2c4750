#pragma once
// Reading a key's values and subkeys through the registry calls.

#include "tools/reg/RegKeyNames.h"

#include <functional>
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
// Both together, from one opening of the key.
LONG ReadKey(const KeyName& key, std::vector<NamedValue>& values, std::vector<std::string>& names);

// The value of that name, compared without regard to case; null when there is none.
const NamedValue* FindValue(const std::vector<NamedValue>& values, const std::string& name);

// Calls visit with the key and every key below it, each with its values, each before its
// subkeys and these in their enumeration order. Each key is opened once, below its
// parent's handle. Walks without recursion, so that no depth exhausts the stack. Stops at
// the first failure and answers it.
using KeyVisitor = std::function<void(const KeyName& key, const std::vector<NamedValue>& values)>;
LONG WalkTree(const KeyName& top, const KeyVisitor& visit);

// The key's path spelt as stored, whatever the case it was typed in.
LONG StoredKeyName(const KeyName& typed, KeyName& stored);

} // namespace horvane::reg
