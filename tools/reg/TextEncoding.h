#pragma once
// UTF-8 and UTF-16 for the registry-editor file format. Bytes that are not valid UTF-8
// travel through UTF-16 as the lone surrogates U+DC80..U+DCFF and come back unchanged,
// so that any stored string survives an export and an import.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace horvane::reg {

std::u16string WidenText(std::string_view narrow);
// Answers false for a lone surrogate that does not carry a byte.
bool NarrowText(std::u16string_view wide, std::string& narrow);

// The text as UTF-16LE code units' bytes, and back (false for an odd count or a bad surrogate).
std::vector<std::uint8_t> Utf16LeBytes(std::string_view narrow);
bool TextFromUtf16LeBytes(std::span<const std::uint8_t> bytes, std::string& narrow);

} // namespace horvane::reg
