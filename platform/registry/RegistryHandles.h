#pragma once
// The keys this process has open, by handle.

#include "platform/registry/RegistryHive.h"

#include <memory>

namespace horvane {

struct OpenedKey {
    std::shared_ptr<RegistryHive> hive;
    KeyId key = 0;
    REGSAM access = 0;
    // Made when the handle first enumerates; shared by every copy of the entry and used
    // under the hive's lock.
    std::shared_ptr<EnumCursor> cursor;
};

HKEY AddKeyHandle(std::shared_ptr<RegistryHive> hive, KeyId key, REGSAM access);
bool FindKeyHandle(HKEY handle, OpenedKey& key);
// The handle's enumeration cursor, made on first use; none for a handle that is not open.
std::shared_ptr<EnumCursor> KeyHandleCursor(HKEY handle);
bool RemoveKeyHandle(HKEY handle);

} // namespace horvane
