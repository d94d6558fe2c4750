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

// The types that add accepts: REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD (also as
// REG_DWORD_LITTLE_ENDIAN), REG_DWORD_BIG_ENDIAN, REG_QWORD, REG_BINARY and REG_NONE.
std::optional<DWORD> AddableType(std::string_view name);

// The types whose data is a number, which add must be given.
bool IsNumberType(DWORD type);

// The separator of a multi-string's strings in add's /d text unless /s gives another.
inline constexpr std::string_view kMultiStringSeparator = "\\0";

// Data as query shows it: strings as text (multi-strings joined by \0), numbers as 0x
// and lowercase hexadecimal, anything else as uppercase hexadecimal digits.
std::string DataText(DWORD type, const std::vector<BYTE>& data);

// Data from add's /d text; answers false when the text does not suit the type. Numbers
// are decimal or 0x hexadecimal within the type's range; binary and REG_NONE data are
// hexadecimal digits. A multi-string's elements, separated by separator, must not be empty.
bool DataFromText(DWORD type, std::string_view text, std::string_view separator,
                  std::vector<BYTE>& data);

// The text of a string value: up to its first zero byte.
std::string StringOfData(const std::vector<BYTE>& data);

// Parses hexadecimal text into a number; false for anything else or an overflow.
bool ParseHex(std::string_view text, std::uint64_t& value);

} // namespace horvane::reg
