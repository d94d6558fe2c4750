#include "platform/registry/RegistryHandles.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace horvane {
namespace {

struct HandleEntry {
    std::intptr_t handle;
    OpenedKey key;
};

// Handles are handed out in increasing order and appended, so the entries stay sorted. A
// vector rather than a node for each handle: nearly every call opens and closes a key.
struct HandleTable {
    std::mutex mutex;
    std::vector<HandleEntry> keys;
    std::intptr_t next = 0x100; // positive, so never one of the predefined roots
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

// The entry of an open handle, or none; under the table's lock.
std::vector<HandleEntry>::iterator Find(HandleTable& table, HKEY handle) {
    const auto value = static_cast<std::intptr_t>(handle);
    const auto found = std::lower_bound(
        table.keys.begin(), table.keys.end(), value,
        [](const HandleEntry& entry, std::intptr_t h) { return entry.handle < h; });
    return found != table.keys.end() && found->handle == value ? found : table.keys.end();
}

} // namespace

HKEY AddKeyHandle(std::shared_ptr<RegistryHive> hive, KeyId key, REGSAM access) {
    OpenedKey opened{std::move(hive), key, access, nullptr};
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const std::intptr_t handle = table.next++;
    table.keys.push_back({handle, std::move(opened)});
    return static_cast<HKEY>(handle);
}

bool FindKeyHandle(HKEY handle, OpenedKey& key) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = Find(table, handle);
    if (found == table.keys.end())
        return false;
    key = found->key;
    return true;
}

std::shared_ptr<EnumCursor> KeyHandleCursor(HKEY handle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = Find(table, handle);
    if (found == table.keys.end())
        return nullptr;
    std::shared_ptr<EnumCursor>& cursor = found->key.cursor;
    if (!cursor)
        cursor = std::make_shared<EnumCursor>();
    return cursor;
}

bool RemoveKeyHandle(HKEY handle) {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    const auto found = Find(table, handle);
    if (found == table.keys.end())
        return false;
    table.keys.erase(found);
    return true;
}

} // namespace horvane
