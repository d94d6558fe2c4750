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

// Calls visit for the key and every key below it, each before its subkeys and these in
// their enumeration order. Walks without recursion, so that no depth exhausts the stack.
// Stops at the first result other than success and answers it.
using KeyVisitor = std::function<LONG(const KeyName& key)>;
LONG WalkTree(const KeyName& top, const KeyVisitor& visit);

// The key's path spelt as stored, whatever the case it was typed in.
LONG StoredKeyName(const KeyName& typed, KeyName& stored);

} // namespace horvane::reg
