#pragma once
// The registry functions of advapi32, narrow-text forms, with their arguments and
// result codes, working on the hive files of RegistryHives.h. Text is UTF-8.

#include "platform/registry/RegistryTypes.h"

#include <memory>

namespace horvane {

class RegistryHive;

LONG RegOpenKeyExA(HKEY hKey, const char* lpSubKey, DWORD ulOptions, REGSAM samDesired,
                   HKEY* phkResult);

// lpClass and lpSecurityAttributes are accepted for the signature's sake; keys have
// no class text and the hive file's own permissions stand for security.
LONG RegCreateKeyExA(HKEY hKey, const char* lpSubKey, DWORD Reserved, const char* lpClass,
                     DWORD dwOptions, REGSAM samDesired, const void* lpSecurityAttributes,
                     HKEY* phkResult, DWORD* lpdwDisposition);

LONG RegCloseKey(HKEY hKey);

// Refuses a key that still has subkeys (ERROR_ACCESS_DENIED).
LONG RegDeleteKeyA(HKEY hKey, const char* lpSubKey);

// Deletes the key with everything below it, in one transaction. Without a subkey,
// deletes what hKey holds and keeps hKey itself.
LONG RegDeleteTreeA(HKEY hKey, const char* lpSubKey);

LONG RegQueryValueExA(HKEY hKey, const char* lpValueName, DWORD* lpReserved, DWORD* lpType,
                      BYTE* lpData, DWORD* lpcbData);

LONG RegSetValueExA(HKEY hKey, const char* lpValueName, DWORD Reserved, DWORD dwType,
                    const BYTE* lpData, DWORD cbData);

LONG RegDeleteValueA(HKEY hKey, const char* lpValueName);

// Subkeys come in the order of their names compared without regard to case.
LONG RegEnumKeyA(HKEY hKey, DWORD dwIndex, char* lpName, DWORD cchName);

// Values come in the order in which they were first written.
LONG RegEnumValueA(HKEY hKey, DWORD dwIndex, char* lpValueName, DWORD* lpcchValueName,
                   DWORD* lpReserved, DWORD* lpType, BYTE* lpData, DWORD* lpcbData);

// Name lengths are counted in bytes, without the terminating zero.
LONG RegQueryInfoKeyA(HKEY hKey, char* lpClass, DWORD* lpcchClass, DWORD* lpReserved,
                      DWORD* lpcSubKeys, DWORD* lpcbMaxSubKeyLen, DWORD* lpcbMaxClassLen,
                      DWORD* lpcValues, DWORD* lpcbMaxValueNameLen, DWORD* lpcbMaxValueLen,
                      DWORD* lpcbSecurityDescriptor, void* lpftLastWriteTime);

// Makes every call on the hive of one root, from this process, between Begin and
// Commit a single transaction: all of them take effect or none. The hive stays
// locked for other processes meanwhile. Ends without Commit: everything is undone.
class RegistryBatch {
public:
    explicit RegistryBatch(HKEY root) : root_(root) {}
    RegistryBatch(const RegistryBatch&) = delete;
    RegistryBatch& operator=(const RegistryBatch&) = delete;
    ~RegistryBatch();

    LONG Begin();
    LONG Commit();

    // Whether a batch of this process is open on the hive of root, so that a change
    // made inside another can join it instead of beginning its own.
    static bool IsOpen(HKEY root);

private:
    HKEY root_;
    std::shared_ptr<RegistryHive> hive_; // set while the batch is active
};

} // namespace horvane
