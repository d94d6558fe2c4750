#pragma once
// Key and value names: what the hive accepts and how it compares them.

#include "platform/Utf8.h"

#include <cstddef>
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

// Splits a backslash-separated path below a key into its key names. The empty path
// has none; one trailing backslash is allowed. Answers false for a malformed path.
bool SplitKeyPath(std::string_view path, std::vector<std::string_view>& names);

// The form in which names are compared: Unicode case folding, so that names equal
// without regard to case fold to the same text.
std::string FoldName(std::string_view name);

} // namespace horvane
