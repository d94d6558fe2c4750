#pragma once
// The keys this process has open, by handle.

#include "platform/registry/RegistryHive.h"

#include <memory>

namespace horvane {

struct OpenedKey {
    std::shared_ptr<RegistryHive> hive;
    KeyId key = 0;
    REGSAM access = 0;
    // Shared by every copy of the entry; used under the hive's lock.
    std::shared_ptr<EnumCursor> cursor;
};

// A new handle to the key, with a cursor of its own.
HKEY AddKeyHandle(std::shared_ptr<RegistryHive> hive, KeyId key, REGSAM access);
bool FindKeyHandle(HKEY handle, OpenedKey& key);
bool RemoveKeyHandle(HKEY handle);

} // namespace horvane
