#include "platform/registry/RegistryHandles.h"

#include <mutex>
#include <unordered_map>

namespace horvane {
namespace {

struct HandleTable {
    std::mutex mutex;
    std::unordered_map<std::intptr_t, OpenedKey> keys;
    std::intptr_t next = 0x100; // positive, so never one of the predefined roots
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

} // namespace

HKEY AddKeyHandle(std::shared_ptr<RegistryHive> hive, KeyId key, REGSAM access) {
    OpenedKey opened{std::move(hive), key, access, nullptr};
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const std::intptr_t handle = table.next++;
    table.keys.emplace(handle, std::move(opened));
    return static_cast<HKEY>(handle);
}

bool FindKeyHandle(HKEY handle, OpenedKey& key) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = table.keys.find(static_cast<std::intptr_t>(handle));
    if (found == table.keys.end())
        return false;
    key = found->second;
    return true;
}

std::shared_ptr<EnumCursor> KeyHandleCursor(HKEY handle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = table.keys.find(static_cast<std::intptr_t>(handle));
    if (found == table.keys.end())
        return nullptr;
    std::shared_ptr<EnumCursor>& cursor = found->second.cursor;
    if (!cursor)
        cursor = std::make_shared<EnumCursor>();
    return cursor;
}

bool RemoveKeyHandle(HKEY handle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    return table.keys.erase(static_cast<std::intptr_t>(handle)) == 1;
}

} // namespace horvane
