#include "platform/registry/RegistryApi.h"

#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHandles.h"
#include "platform/registry/RegistryHives.h"
#include "platform/registry/RegistryNames.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <iterator>

namespace horvane {
namespace {

// A key to work on: the hive and the way to the key within it.
struct KeyTarget {
    std::shared_ptr<RegistryHive> hive;
    KeyPath path;
};

bool IsPredefined(HKEY key) {
    return key == HKEY_CLASSES_ROOT || key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE;
}

HiveKind HiveOf(HKEY root) {
    return root == HKEY_CURRENT_USER ? HiveKind::User : HiveKind::Machine;
}

// Whether a batch of this process is open on the hive of that kind.
std::atomic<bool>& BatchOpen(HiveKind kind) {
    static std::atomic<bool> open[2];
    return open[kind == HiveKind::User ? 0 : 1];
}

LONG RootTarget(HiveKind kind, PathNames names, bool writing, KeyTarget& target) {
    if (const LONG result = AcquireHive(kind, writing, target.hive); result != ERROR_SUCCESS)
        return result;
    target.path = {kRootKeyId, std::move(names)};
    return ERROR_SUCCESS;
}

// HKEY_CLASSES_ROOT is HKEY_LOCAL_MACHINE\Software\Classes, made when first written.
LONG ClassesRootTarget(bool writing, KeyTarget& target) {
    if (const LONG result = RootTarget(HiveKind::Machine, {"Software", "Classes"}, writing, target);
        result != ERROR_SUCCESS || !writing)
        return result;
    KeyId classes = 0;
    bool created = false;
    if (const LONG result = target.hive->CreateKey(target.path, classes, created);
        result != ERROR_SUCCESS)
        return result;
    target.path = {classes, {}};
    return ERROR_SUCCESS;
}

// The key that hKey stands for. An opened key must carry the rights in needed; writing
// says whether the call will change the hive.
LONG Target(HKEY hKey, REGSAM needed, bool writing, KeyTarget& target) {
    ClearHiveFailure(); // every call that reaches a hive comes here first
    if (hKey == HKEY_CURRENT_USER)
        return RootTarget(HiveKind::User, {}, writing, target);
    if (hKey == HKEY_LOCAL_MACHINE)
        return RootTarget(HiveKind::Machine, {}, writing, target);
    if (hKey == HKEY_CLASSES_ROOT)
        return ClassesRootTarget(writing, target);
    OpenedKey opened;
    if (!FindKeyHandle(hKey, opened))
        return ERROR_INVALID_HANDLE;
    if ((opened.access & needed) != needed)
        return ERROR_ACCESS_DENIED;
    target = {opened.hive, {opened.key, {}}};
    return ERROR_SUCCESS;
}

// The key at subKey below hKey.
LONG TargetBelow(HKEY hKey, const char* subKey, bool writing, KeyTarget& target) {
    PathNames names;
    if (!SplitKeyPath(subKey ? subKey : "", names))
        return ERROR_INVALID_PARAMETER;
    if (const LONG result = Target(hKey, 0, writing, target); result != ERROR_SUCCESS)
        return result;
    for (const std::string_view name : names)
        target.path.names.push_back(name);
    return ERROR_SUCCESS;
}

bool IsValidName(const char* name) {
    return IsValidValueName(name ? name : "");
}

// Copies bytes to a caller's buffer of *size bytes and reports the size they need.
LONG CopyData(const std::vector<BYTE>& data, BYTE* buffer, DWORD* size) {
    if (!size)
        return ERROR_SUCCESS;
    const DWORD available = *size;
    *size = DWORD(data.size());
    if (!buffer)
        return ERROR_SUCCESS;
    if (available < data.size())
        return ERROR_MORE_DATA;
    std::copy(data.begin(), data.end(), buffer);
    return ERROR_SUCCESS;
}

// Copies a name with its terminating zero to a buffer of capacity characters.
bool CopyName(const std::string& name, char* buffer, DWORD capacity) {
    if (name.size() + 1 > capacity)
        return false;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    return true;
}

} // namespace

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                   HKEY* phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    const bool writing = (samDesired & KEY_CHANGING_RIGHTS) != 0;
    KeyTarget target;
    if (const LONG result = TargetBelow(hKey, lpSubKey, writing, target); result != ERROR_SUCCESS)
        return result;
    if (writing && target.hive->IsReadOnly())
        return ERROR_ACCESS_DENIED;
    KeyId key = 0;
    if (const LONG result = target.hive->OpenKey(target.path, key); result != ERROR_SUCCESS)
        return result;
    *phkResult = AddKeyHandle(target.hive, key, samDesired);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, const char* /*lpClass*/,
                     DWORD /*dwOptions*/, REGSAM samDesired, const void* /*lpSecurityAttributes*/,
                     HKEY* phkResult, DWORD* lpdwDisposition) {
    if (!phkResult || Reserved != 0)
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = TargetBelow(hKey, lpSubKey, true, target); result != ERROR_SUCCESS)
        return result;
    KeyId key = 0;
    bool created = false;
    if (const LONG result = target.hive->CreateKey(target.path, key, created);
        result != ERROR_SUCCESS)
        return result;
    *phkResult = AddKeyHandle(target.hive, key, samDesired);
    if (lpdwDisposition)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY hKey) {
    if (IsPredefined(hKey) || RemoveKeyHandle(hKey))
        return ERROR_SUCCESS;
    return ERROR_INVALID_HANDLE;
}

LONG RegDeleteKeyA(HKEY hKey, const char* lpSubKey) {
    if (!lpSubKey)
        return ERROR_INVALID_PARAMETER;
    if (IsPredefined(hKey) && *lpSubKey == '\0')
        return ERROR_ACCESS_DENIED; // a root is never deleted
    KeyTarget target;
    if (const LONG result = TargetBelow(hKey, lpSubKey, true, target); result != ERROR_SUCCESS)
        return result;
    return target.hive->DeleteKey(target.path);
}

LONG RegDeleteTreeA(HKEY hKey, const char* lpSubKey) {
    const bool keepKey = !lpSubKey || *lpSubKey == '\0';
    KeyTarget target;
    if (const LONG result = TargetBelow(hKey, lpSubKey, true, target); result != ERROR_SUCCESS)
        return result;
    return target.hive->DeleteTree(target.path, keepKey);
}

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType,
                      BYTE* lpData, DWORD* lpcbData) {
    if (lpReserved || (lpData && !lpcbData) || !IsValidName(lpValueName))
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_QUERY_VALUE, false, target); result != ERROR_SUCCESS)
        return result;
    StoredValue value;
    if (const LONG result =
            target.hive->QueryValue(target.path, lpValueName ? lpValueName : "", value);
        result != ERROR_SUCCESS)
        return result;
    if (lpType)
        *lpType = value.type;
    return CopyData(value.data, lpData, lpcbData);
}

LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType,
                    const BYTE* lpData, DWORD cbData) {
    if (Reserved != 0 || (!lpData && cbData > 0) || !IsValidName(lpValueName))
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_SET_VALUE, true, target); result != ERROR_SUCCESS)
        return result;
    return target.hive->SetValue(target.path, lpValueName ? lpValueName : "", dwType,
                                 std::span<const BYTE>(lpData, lpData ? cbData : 0));
}

LONG RegDeleteValueA(HKEY hKey, const char* lpValueName) {
    if (!IsValidName(lpValueName))
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_SET_VALUE, true, target); result != ERROR_SUCCESS)
        return result;
    return target.hive->DeleteValue(target.path, lpValueName ? lpValueName : "");
}

LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD cchName) {
    if (!lpName)
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_ENUMERATE_SUB_KEYS, false, target);
        result != ERROR_SUCCESS)
        return result;
    const std::shared_ptr<EnumCursor> cursor = KeyHandleCursor(hKey); // the roots keep none
    std::string name;
    if (const LONG result = target.hive->EnumKey(target.path, dwIndex, name, cursor.get());
        result != ERROR_SUCCESS)
        return result;
    return CopyName(name, lpName, cchName) ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName, DWORD* lpcchValueName,
                   DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData) {
    if (!lpValueName || !lpcchValueName || lpReserved || (lpData && !lpcbData))
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_QUERY_VALUE, false, target); result != ERROR_SUCCESS)
        return result;
    const std::shared_ptr<EnumCursor> cursor = KeyHandleCursor(hKey);
    std::string name;
    StoredValue value;
    if (const LONG result = target.hive->EnumValue(target.path, dwIndex, name, value, cursor.get());
        result != ERROR_SUCCESS)
        return result;
    if (!CopyName(name, lpValueName, *lpcchValueName))
        return ERROR_MORE_DATA;
    *lpcchValueName = DWORD(name.size());
    if (lpType)
        *lpType = value.type;
    return CopyData(value.data, lpData, lpcbData);
}

LONG RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD* lpReserved,
                      DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen,
                      DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                      DWORD* lpcbSecurityDescriptor, void* lpftLastWriteTime) {
    if (lpReserved)
        return ERROR_INVALID_PARAMETER;
    KeyTarget target;
    if (const LONG result = Target(hKey, KEY_QUERY_VALUE, false, target); result != ERROR_SUCCESS)
        return result;
    KeyCounts counts;
    if (const LONG result = target.hive->QueryCounts(target.path, counts); result != ERROR_SUCCESS)
        return result;
    // Keys carry no class text, security descriptor or write time here.
    if (lpClass && lpcchClass && *lpcchClass > 0)
        lpClass[0] = '\0';
    const std::pair<DWORD*, DWORD> answers[] = {
        {lpcchClass, 0},
        {lpcSubKeys, counts.subKeys},
        {lpcbMaxSubKeyLen, counts.longestSubKeyName},
        {lpcbMaxClassLen, 0},
        {lpcValues, counts.values},
        {lpcbMaxValueNameLen, counts.longestValueName},
        {lpcbMaxValueLen, counts.longestValueData},
        {lpcbSecurityDescriptor, 0},
    };
    for (const auto& [field, answer] : answers) {
        if (field)
            *field = answer;
    }
    if (lpftLastWriteTime)
        std::memset(lpftLastWriteTime, 0, 8); // a FILETIME
    return ERROR_SUCCESS;
}

RegistryBatch::~RegistryBatch() {
    if (!hive_)
        return;
    hive_->RollbackBatch();
    BatchOpen(HiveOf(root_)) = false;
}

bool RegistryBatch::IsOpen(HKEY root) {
    return IsPredefined(root) && BatchOpen(HiveOf(root));
}

LONG RegistryBatch::Begin() {
    if (hive_ || !IsPredefined(root_))
        return ERROR_INVALID_PARAMETER;
    ClearHiveFailure();
    std::shared_ptr<RegistryHive> hive;
    if (const LONG result = AcquireHive(HiveOf(root_), true, hive); result != ERROR_SUCCESS)
        return result;
    if (const LONG result = hive->BeginBatch(); result != ERROR_SUCCESS)
        return result;
    hive_ = std::move(hive);
    BatchOpen(HiveOf(root_)) = true;
    return ERROR_SUCCESS;
}

LONG RegistryBatch::Commit() {
    if (!hive_)
        return ERROR_INVALID_PARAMETER;
    ClearHiveFailure();
    const LONG result = hive_->CommitBatch();
    hive_.reset();
    BatchOpen(HiveOf(root_)) = false;
    return result;
}

} // namespace horvane
