#pragma once
// Key and value names: what the hive accepts and how it compares them.

#include "platform/Utf8.h"

#include <array>
#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace horvane {

inline constexpr std::size_t kMaxKeyNameCharacters = 255;
inline constexpr std::size_t kMaxValueNameCharacters = 16383;

// Longest names in bytes of UTF-8, the program's narrow text.
inline constexpr std::size_t kMaxKeyNameBytes = kMaxKeyNameCharacters * 4;
inline constexpr std::size_t kMaxValueNameBytes = kMaxValueNameCharacters * 4;

// One key's name: not empty, no backslash, valid text, at most 255 characters.
bool IsValidKeyName(std::string_view name);

// A value's name; the empty name is the key's default value.
bool IsValidValueName(std::string_view name);

// The key names of a path, as views of the caller's text. The first kInPlace of them are
// kept in place, without an allocation: nearly every registry call makes a path.
class PathNames {
public:
    static constexpr std::size_t kInPlace = 8;

    PathNames() = default;
    PathNames(std::initializer_list<std::string_view> names) {
        for (const std::string_view name : names)
            push_back(name);
    }

    void push_back(std::string_view name) {
        if (size_ < kInPlace && spilled_.empty()) {
            inPlace_[size_++] = name;
            return;
        }
        if (spilled_.empty())
            spilled_.assign(inPlace_.begin(), inPlace_.end());
        spilled_.push_back(name);
        ++size_;
    }
    void clear() {
        size_ = 0;
        spilled_.clear();
    }

    const std::string_view* begin() const {
        return spilled_.empty() ? inPlace_.data() : spilled_.data();
    }
    const std::string_view* end() const { return begin() + size_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    std::array<std::string_view, kInPlace> inPlace_{};
    std::vector<std::string_view> spilled_; // all of them, once there are more
    std::size_t size_ = 0;
};

// Splits a backslash-separated path below a key into its key names. The empty path
// has none; one trailing backslash is allowed. Answers false for a malformed path.
bool SplitKeyPath(std::string_view path, PathNames& names);

// The form in which names are compared: Unicode case folding, so that names equal
// without regard to case fold to the same text.
std::string FoldName(std::string_view name);

} // namespace horvane
