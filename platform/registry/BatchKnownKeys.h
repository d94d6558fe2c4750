#pragma once
// The keys a batch has found or made, so that walking a path again costs no query and no
// folding: a key is known by its parent and its name as a caller spelled it (another
// spelling is looked up once more). Only a batch may keep them: it holds the hive's write
// lock from start to end, so no other connection changes the keys meanwhile. Whatever may
// have removed a key (a deletion, a call undone) forgets them all.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <utility>

namespace horvane {

using KeyId = std::int64_t; // a key's row in its hive; never reused

class BatchKnownKeys {
public:
    // The subkey of parent with that name, when known.
    bool FindSubKey(KeyId parent, std::string_view name, KeyId& key) const {
        const auto found = subKeys_.find(std::pair(parent, name));
        if (found == subKeys_.end())
            return false;
        key = found->second;
        return true;
    }
    void AddSubKey(KeyId parent, std::string_view name, KeyId key) {
        subKeys_.emplace(std::pair(parent, std::string(name)), key);
        existing_.insert(key);
    }

    bool Exists(KeyId key) const { return existing_.contains(key); }
    void AddExisting(KeyId key) { existing_.insert(key); }

    void Forget() {
        subKeys_.clear();
        existing_.clear();
    }

private:
    // Orders (parent, name) pairs, and finds one by a name that is not a string.
    struct ByParentAndName {
        using is_transparent = void;
        template <typename A, typename B> bool operator()(const A& a, const B& b) const {
            return a.first != b.first ? a.first < b.first
                                      : std::string_view(a.second) < std::string_view(b.second);
        }
    };

    std::map<std::pair<KeyId, std::string>, KeyId, ByParentAndName> subKeys_;
    std::set<KeyId> existing_;
};

} // namespace horvane
