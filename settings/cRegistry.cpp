#include "settings/cRegistry.h"

#include "platform/EnvironmentStrings.h"
#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryNames.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

namespace horvane {
namespace {

// The access masks of the class's operations.
constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE;
constexpr REGSAM kEnumerateAccess = KEY_ENUMERATE_SUB_KEYS;
constexpr REGSAM kWriteAccess = 0x3F;

// Room for the longest key name the registry holds, and its terminating zero.
constexpr DWORD kSectionNameBuffer = kMaxKeyNameBytes + 1;
// The bytes a value is first read into.
constexpr DWORD kFirstReadBytes = 256;

HKEY RootKey(std::int32_t classKey) {
    return static_cast<HKEY>(std::intptr_t(classKey));
}

// A key opened for one operation and closed when the operation ends.
class ScopedKey {
public:
    ScopedKey() = default;
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (open_)
            RegCloseKey(handle_);
    }

    bool Open(std::int32_t root, const std::string& path, REGSAM access) {
        result_ = RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &handle_);
        open_ = result_ == ERROR_SUCCESS;
        return open_;
    }
    bool Create(std::int32_t root, const std::string& path, REGSAM access) {
        DWORD disposition = 0;
        result_ = RegCreateKeyExA(RootKey(root), path.c_str(), 0, "", REG_OPTION_NON_VOLATILE,
                                  access, nullptr, &handle_, &disposition);
        open_ = result_ == ERROR_SUCCESS;
        return open_;
    }
    HKEY Handle() const { return handle_; }
    LONG Result() const { return result_; }

private:
    HKEY handle_{};
    bool open_ = false;
    LONG result_ = ERROR_SUCCESS;
};

// A "%" with another "%" at least two characters further on names a variable.
bool HoldsVariableReference(const std::string& text) {
    const std::size_t first = text.find('%');
    return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

std::string WithoutTerminatingZero(const ByteArray& data) {
    std::string text(data.begin(), data.end());
    if (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
}

std::string Expanded(const std::string& text) {
    const DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string expanded(needed, '\0');
    ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed);
    expanded.resize(needed > 0 ? needed - 1 : 0);
    return expanded;
}

// The first four bytes (fewer are padded with zeros), in the order given.
std::array<BYTE, 4> FourBytes(const ByteArray& data) {
    std::array<BYTE, 4> bytes{};
    // copy_n, not memcpy: an empty value has no data pointer at all.
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), 4), bytes.begin());
    return bytes;
}

std::int32_t NativeInteger(const std::array<BYTE, 4>& bytes) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data(), 4);
    return value;
}

TaggedValue ConvertRead(DWORD type, const ByteArray& data) {
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        return WithoutTerminatingZero(data);
    case REG_EXPAND_SZ:
        return Expanded(WithoutTerminatingZero(data));
    case REG_DWORD:
        return NativeInteger(FourBytes(data));
    case REG_DWORD_BIG_ENDIAN: {
        std::array<BYTE, 4> bytes = FourBytes(data);
        std::reverse(bytes.begin(), bytes.end());
        return NativeInteger(bytes);
    }
    default:
        return data;
    }
}

// Reads a value's type and data in one query when they fit the first buffer, as the
// settings' values do; a larger value is read again with room for its size, also when it
// grew meanwhile.
LONG QueryValue(HKEY key, const std::string& name, DWORD& type, ByteArray& data) {
    DWORD size = kFirstReadBytes;
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        data.resize(size);
        result = RegQueryValueExA(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    data.resize(result == ERROR_SUCCESS ? size : 0);
    return result;
}

std::optional<std::int32_t> IntegerOf(const TaggedValue& value) {
    if (const auto* small = std::get_if<std::int16_t>(&value))
        return *small;
    if (const auto* large = std::get_if<std::int32_t>(&value))
        return *large;
    return std::nullopt;
}

LONG SetBytes(HKEY key, const std::string& name, DWORD type, const void* data, std::size_t size) {
    return RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), DWORD(size));
}

// ": " and the system's text when a hive file caused the failure; otherwise nothing, as
// the failure is then the caller's to see from the names.
std::string HiveCause(LONG result) {
    if (HiveFailureDetail(result).empty())
        return {};
    return ": " + RegistryFailureText(result);
}

} // namespace

RegistryError CreateKeyError(const std::string& sectionKey) {
    return RegistryError(kRegistryKeyError, "Failed to create registry Key: '" + sectionKey);
}

bool cRegistry::KeyExists() const {
    ScopedKey key;
    return key.Open(classKey_, sectionKey_, kQueryAccess);
}

bool cRegistry::KeyExistsOrRaise() const {
    ScopedKey key;
    if (key.Open(classKey_, sectionKey_, kQueryAccess))
        return true;
    if (key.Result() == ERROR_FILE_NOT_FOUND)
        return false;
    throw RegistryError(kRegistryKeyError, "Failed to open registry Key: " + KeyLocation() +
                                               "': " + RegistryFailureText(key.Result()));
}

bool cRegistry::CreateKey() {
    ScopedKey key;
    if (!key.Create(classKey_, sectionKey_, kWriteAccess))
        throw CreateKeyError(sectionKey_);
    return true;
}

bool cRegistry::DeleteKey() {
    if (RegDeleteKeyA(RootKey(classKey_), sectionKey_.c_str()) != ERROR_SUCCESS)
        throw RegistryError(kRegistryKeyError, "Failed to delete registry Key: " + KeyLocation());
    return true;
}

bool cRegistry::DeleteValue() {
    const std::string where = KeyLocation();
    ScopedKey key;
    if (!key.Open(classKey_, sectionKey_, kWriteAccess))
        throw RegistryError(kRegistryKeyError,
                            "Failed to open key " + where + "' for delete access");
    if (RegDeleteValueA(key.Handle(), valueKey_.c_str()) != ERROR_SUCCESS)
        throw RegistryError(kRegistryKeyError,
                            "Failed to delete registry Key: " + where + "',Key: '" + valueKey_);
    return true;
}

TaggedValue cRegistry::ReadValue(HKEY key, const std::string& name) {
    DWORD type = REG_NONE;
    ByteArray data;
    if (QueryValue(key, name, type, data) != ERROR_SUCCESS)
        return default_;
    valueType_ = std::int32_t(type);
    return ConvertRead(type, data);
}

TaggedValue cRegistry::Value() {
    ScopedKey key;
    key.Open(classKey_, sectionKey_, kQueryAccess); // a failure makes the query fail too
    return ReadValue(key.Handle(), valueKey_);
}

std::vector<TaggedValue> cRegistry::Values(const std::vector<std::string>& names) {
    ScopedKey key;
    key.Open(classKey_, sectionKey_, kQueryAccess); // a failure makes every query fail too
    std::vector<TaggedValue> values;
    values.reserve(names.size());
    for (const std::string& name : names)
        values.push_back(ReadValue(key.Handle(), name));
    return values;
}

void cRegistry::Value(const TaggedValue& value) {
    ScopedKey key;
    if (!key.Create(classKey_, sectionKey_, kWriteAccess))
        throw RegistryError(kRegistryKeyError, SetValueText(value) + HiveCause(key.Result()));
    LONG result = ERROR_SUCCESS;
    switch (valueType_) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const std::string text = TaggedValueString(value);
        const DWORD type = HoldsVariableReference(text) ? REG_EXPAND_SZ : REG_SZ;
        result = SetBytes(key.Handle(), valueKey_, type, text.c_str(), text.size() + 1);
        break;
    }
    case REG_BINARY: {
        const auto* bytes = std::get_if<ByteArray>(&value);
        if (!bytes)
            throw RegistryError(kRegistryKeyError, kApplicationDefinedError);
        result = SetBytes(key.Handle(), valueKey_, REG_BINARY, bytes->data(), bytes->size());
        break;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        // Only numbers are written, always in native order; other kinds write nothing.
        if (const std::optional<std::int32_t> number = IntegerOf(value))
            result = SetBytes(key.Handle(), valueKey_, REG_DWORD, &*number, sizeof *number);
        break;
    default:
        result = ERROR_INVALID_DATA;
        break;
    }
    if (result != ERROR_SUCCESS)
        throw RegistryError(kRegistrySetValueError, SetValueText(value) + HiveCause(result));
}

bool cRegistry::EnumerateValues(OneBasedNames& sKeyNames, std::int32_t& iKeyCount) const {
    iKeyCount = 0;
    sKeyNames.Clear();
    ScopedKey key;
    if (!key.Open(classKey_, sectionKey_, kQueryAccess))
        return true;
    DWORD longestName = 0;
    RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &longestName, nullptr, nullptr, nullptr);
    std::vector<char> name(longestName + 1);
    for (DWORD index = 0;; ++index) {
        DWORD length = DWORD(name.size());
        if (RegEnumValueA(key.Handle(), index, name.data(), &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        sKeyNames.Append(std::string(name.data(), length));
        ++iKeyCount;
    }
    return true;
}

bool cRegistry::EnumerateSections(OneBasedNames& sSect, std::int32_t& iSectCount) const {
    iSectCount = 0;
    sSect.Clear();
    ScopedKey key;
    if (!key.Open(classKey_, sectionKey_, kEnumerateAccess))
        return true;
    std::vector<char> name(kSectionNameBuffer);
    LONG result = ERROR_SUCCESS;
    for (DWORD index = 0; (result = RegEnumKeyA(key.Handle(), index, name.data(),
                                                kSectionNameBuffer)) == ERROR_SUCCESS;
         ++index) {
        sSect.Append(std::string(name.data()));
        ++iSectCount;
    }
    // A list cut short by a failure would pass for the whole list: raise instead.
    if (result != ERROR_NO_MORE_ITEMS)
        throw RegistryError(kRegistryEnumerateError, RegistryFailureText(result));
    return true;
}

std::string cRegistry::KeyLocation() const {
    // Appended step by step: GCC 12 at -O3 warns (-Wrestrict) on "literal" + string.
    std::string location("'");
    location += std::to_string(classKey_);
    location += "',Section: '";
    location += sectionKey_;
    return location;
}

std::string cRegistry::SetValueText(const TaggedValue& value) const {
    return "Failed to set registry value Key: " + KeyLocation() + "',Key: '" + valueKey_ +
           "' to value: '" + TaggedValueText(value) + "'";
}

} // namespace horvane
