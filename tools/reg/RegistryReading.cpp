#include "tools/reg/RegistryReading.h"

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryNames.h"

#include <algorithm>

namespace horvane::reg {
namespace {

class ReadingKey {
public:
    explicit ReadingKey(const KeyName& key) {
        result_ = RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_READ, &handle_);
    }
    ReadingKey(const ReadingKey&) = delete;
    ReadingKey& operator=(const ReadingKey&) = delete;
    ~ReadingKey() {
        if (result_ == ERROR_SUCCESS)
            RegCloseKey(handle_);
    }
    LONG Result() const { return result_; }
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_{};
    LONG result_;
};

} // namespace

LONG ReadValues(const KeyName& key, std::vector<NamedValue>& values) {
    values.clear();
    const ReadingKey opened(key);
    if (opened.Result() != ERROR_SUCCESS)
        return opened.Result();
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (const LONG result =
            RegQueryInfoKeyA(opened.Handle(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                             nullptr, &longestName, &longestData, nullptr, nullptr);
        result != ERROR_SUCCESS)
        return result;
    std::vector<char> name(longestName + 1);
    for (DWORD index = 0;; ++index) {
        NamedValue value;
        value.data.resize(longestData);
        DWORD nameLength = DWORD(name.size());
        DWORD dataSize = DWORD(value.data.size());
        const LONG result = RegEnumValueA(opened.Handle(), index, name.data(), &nameLength, nullptr,
                                          &value.type, value.data.data(), &dataSize);
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        value.name.assign(name.data(), nameLength);
        value.data.resize(dataSize);
        values.push_back(std::move(value));
    }
}

LONG ReadSubKeys(const KeyName& key, std::vector<std::string>& names) {
    names.clear();
    const ReadingKey opened(key);
    if (opened.Result() != ERROR_SUCCESS)
        return opened.Result();
    std::vector<char> name(kMaxKeyNameBytes + 1);
    for (DWORD index = 0;; ++index) {
        const LONG result = RegEnumKeyA(opened.Handle(), index, name.data(), DWORD(name.size()));
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        names.emplace_back(name.data());
    }
}

LONG WalkTree(const KeyName& top, const KeyVisitor& visit) {
    std::vector<KeyName> pending{top}; // the next key to visit last
    while (!pending.empty()) {
        const KeyName key = std::move(pending.back());
        pending.pop_back();
        if (const LONG result = visit(key); result != ERROR_SUCCESS)
            return result;
        std::vector<std::string> subKeys;
        if (const LONG result = ReadSubKeys(key, subKeys); result != ERROR_SUCCESS)
            return result;
        for (auto name = subKeys.rbegin(); name != subKeys.rend(); ++name)
            pending.push_back(SubKey(key, *name));
    }
    return ERROR_SUCCESS;
}

LONG StoredKeyName(const KeyName& typed, KeyName& stored) {
    stored = typed;
    stored.path.clear();
    std::vector<std::string> names;
    SplitKeyPath(typed.path, names);
    for (const std::string& name : names) {
        std::vector<std::string> subKeys;
        if (const LONG result = ReadSubKeys(stored, subKeys); result != ERROR_SUCCESS)
            return result;
        const std::string folded = FoldName(name);
        const auto found = std::find_if(subKeys.begin(), subKeys.end(), [&](const std::string& s) {
            return FoldName(s) == folded;
        });
        if (found == subKeys.end())
            return ERROR_FILE_NOT_FOUND;
        stored = SubKey(stored, *found);
    }
    return ERROR_SUCCESS;
}

// Found among all the key's values, so that the name comes back as stored.
LONG ReadValue(const KeyName& key, const std::string& name, NamedValue& value) {
    std::vector<NamedValue> values;
    if (const LONG result = ReadValues(key, values); result != ERROR_SUCCESS)
        return result;
    const std::string folded = FoldName(name);
    for (NamedValue& candidate : values) {
        if (FoldName(candidate.name) == folded) {
            value = std::move(candidate);
            return ERROR_SUCCESS;
        }
    }
    return ERROR_FILE_NOT_FOUND;
}

} // namespace horvane::reg
