#include "tools/reg/RegistryReading.h"

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryNames.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace horvane::reg {
namespace {

// A key opened for reading below parent, closed when the object goes.
class ReadingKey {
public:
    ReadingKey(HKEY parent, const std::string& path) {
        result_ = RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &handle_);
    }
    explicit ReadingKey(const KeyName& key) : ReadingKey(key.root, key.path) {}
    ReadingKey(ReadingKey&& other) noexcept
        : handle_(other.handle_), result_(std::exchange(other.result_, ERROR_INVALID_HANDLE)) {}
    ReadingKey(const ReadingKey&) = delete;
    ReadingKey& operator=(const ReadingKey&) = delete;
    ReadingKey& operator=(ReadingKey&&) = delete;
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

// Room for the longest value name and its terminating zero, and for the data read so
// far, which grows to the largest value met. The key's handle serves a value asked for
// again from what it read ahead, so growing costs no second read of the hive.
class ValueBuffers {
public:
    LONG Read(HKEY key, DWORD index, NamedValue& value) {
        for (;;) {
            DWORD nameLength = kNameCapacity;
            DWORD dataSize = DWORD(data_.size());
            const LONG result = RegEnumValueA(key, index, name_.get(), &nameLength, nullptr,
                                              &value.type, data_.data(), &dataSize);
            // A buffer still empty has no address: the call then only tells the size.
            const bool fits = dataSize <= data_.size();
            if ((result == ERROR_MORE_DATA || result == ERROR_SUCCESS) && !fits) {
                data_.resize(dataSize);
                continue;
            }
            if (result != ERROR_SUCCESS)
                return result;
            value.name.assign(name_.get(), nameLength);
            value.data.assign(data_.begin(), data_.begin() + dataSize);
            return ERROR_SUCCESS;
        }
    }

private:
    static constexpr DWORD kNameCapacity = kMaxValueNameBytes + 1;
    std::unique_ptr<char[]> name_ = std::make_unique_for_overwrite<char[]>(kNameCapacity);
    std::vector<BYTE> data_;
};

LONG ReadValues(HKEY key, std::vector<NamedValue>& values, ValueBuffers& buffers) {
    values.clear();
    for (DWORD index = 0;; ++index) {
        NamedValue value;
        const LONG result = buffers.Read(key, index, value);
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        values.push_back(std::move(value));
    }
}

LONG ReadValues(HKEY key, std::vector<NamedValue>& values) {
    ValueBuffers buffers;
    return ReadValues(key, values, buffers);
}

LONG ReadSubKeys(HKEY key, std::vector<std::string>& names) {
    names.clear();
    char name[kMaxKeyNameBytes + 1];
    for (DWORD index = 0;; ++index) {
        const LONG result = RegEnumKeyA(key, index, name, DWORD(sizeof name));
        if (result == ERROR_NO_MORE_ITEMS)
            return ERROR_SUCCESS;
        if (result != ERROR_SUCCESS)
            return result;
        names.emplace_back(name);
    }
}

} // namespace

LONG ReadValues(const KeyName& key, std::vector<NamedValue>& values) {
    values.clear();
    const ReadingKey opened(key);
    if (opened.Result() != ERROR_SUCCESS)
        return opened.Result();
    return ReadValues(opened.Handle(), values);
}

LONG ReadSubKeys(const KeyName& key, std::vector<std::string>& names) {
    names.clear();
    const ReadingKey opened(key);
    if (opened.Result() != ERROR_SUCCESS)
        return opened.Result();
    return ReadSubKeys(opened.Handle(), names);
}

LONG ReadKey(const KeyName& key, std::vector<NamedValue>& values, std::vector<std::string>& names) {
    values.clear();
    names.clear();
    const ReadingKey opened(key);
    if (opened.Result() != ERROR_SUCCESS)
        return opened.Result();
    if (const LONG result = ReadValues(opened.Handle(), values); result != ERROR_SUCCESS)
        return result;
    return ReadSubKeys(opened.Handle(), names);
}

const NamedValue* FindValue(const std::vector<NamedValue>& values, const std::string& name) {
    const std::string folded = FoldName(name);
    const auto found = std::find_if(values.begin(), values.end(), [&](const NamedValue& value) {
        return FoldName(value.name) == folded;
    });
    return found == values.end() ? nullptr : &*found;
}

LONG WalkTree(const KeyName& top, const KeyVisitor& visit) {
    // The keys on the way down to the one visited last that still have subkeys to walk.
    struct Level {
        KeyName key;
        ReadingKey opened;
        std::vector<std::string> subKeys;
        std::size_t next = 0;
    };
    std::vector<Level> levels;
    std::vector<NamedValue> values;
    ValueBuffers buffers; // one for the walk: the name's room is large
    const auto enter = [&](KeyName key, HKEY parent, const std::string& path) {
        ReadingKey opened(parent, path);
        if (opened.Result() != ERROR_SUCCESS)
            return opened.Result();
        if (const LONG result = ReadValues(opened.Handle(), values, buffers);
            result != ERROR_SUCCESS)
            return result;
        visit(key, values);
        std::vector<std::string> subKeys;
        if (const LONG result = ReadSubKeys(opened.Handle(), subKeys); result != ERROR_SUCCESS)
            return result;
        if (!subKeys.empty())
            levels.push_back({std::move(key), std::move(opened), std::move(subKeys)});
        return LONG(ERROR_SUCCESS);
    };
    if (const LONG result = enter(top, top.root, top.path); result != ERROR_SUCCESS)
        return result;
    while (!levels.empty()) {
        Level& level = levels.back();
        if (level.next == level.subKeys.size()) {
            levels.pop_back();
            continue;
        }
        const std::string name = level.subKeys[level.next++];
        if (const LONG result = enter(SubKey(level.key, name), level.opened.Handle(), name);
            result != ERROR_SUCCESS)
            return result;
    }
    return ERROR_SUCCESS;
}

LONG StoredKeyName(const KeyName& typed, KeyName& stored) {
    stored = typed;
    stored.path.clear();
    PathNames names;
    SplitKeyPath(typed.path, names);
    for (const std::string_view name : names) {
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
    const NamedValue* found = FindValue(values, name);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    value = *found;
    return ERROR_SUCCESS;
}

} // namespace horvane::reg
