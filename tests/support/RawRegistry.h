#pragma once
// Direct registry reads and writes for checking what the classes above it stored.

#include "platform/registry/RegistryApi.h"

#include <vector>

namespace horvane::test_support {

struct RawValue {
    LONG result = ERROR_SUCCESS;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

inline RawValue ReadRaw(HKEY root, const std::string& path, const std::string& name) {
    RawValue value;
    HKEY key{};
    DWORD size = 0;
    value.result = RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    for (int pass = 0; pass < 2 && value.result == ERROR_SUCCESS; ++pass) { // size, then bytes
        value.data.resize(size);
        value.result = RegQueryValueExA(key, name.c_str(), nullptr, &value.type,
                                        pass ? value.data.data() : nullptr, &size);
    }
    RegCloseKey(key);
    return value;
}

inline LONG WriteRaw(HKEY root, const std::string& path, const std::string& name, DWORD type,
                     const std::vector<BYTE>& data) {
    HKEY key{};
    LONG result =
        RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS)
        result = RegSetValueExA(key, name.c_str(), 0, type, data.data(), DWORD(data.size()));
    RegCloseKey(key);
    return result;
}

inline std::vector<BYTE> TextBytes(const std::string& text) {
    return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
}

inline std::vector<std::string> RawSubKeys(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key{};
    char name[1024];
    RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key);
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    RegCloseKey(key);
    return names;
}

} // namespace horvane::test_support
