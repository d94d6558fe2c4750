#pragma once
// Value types by name and value data as the command shows and takes it.

#include "platform/registry/RegistryTypes.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace horvane::reg {

// REG_SZ, REG_DWORD, ...; an unknown number gives its hexadecimal form, 0x1F.
std::string TypeName(DWORD type);

// The types that add accepts: REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_BINARY.
std::optional<DWORD> AddableType(std::string_view name);

// Data as query shows it: strings as text (multi-strings joined by \0), numbers as 0x
// and lowercase hexadecimal, anything else as uppercase hexadecimal digits.
std::string DataText(DWORD type, const std::vector<BYTE>& data);

// Data from add's /d text; answers false when the text does not suit the type. A
// multi-string's elements, separated by \0, must not be empty.
bool DataFromText(DWORD type, std::string_view text, std::vector<BYTE>& data);

// The text of a string value: up to its first zero byte.
std::string StringOfData(const std::vector<BYTE>& data);

// Parses hexadecimal text into a number; false for anything else or an overflow.
bool ParseHex(std::string_view text, std::uint64_t& value);

} // namespace horvane::reg
