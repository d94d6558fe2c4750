#pragma once
// UTF-8, the program's narrow text.

#include <cstddef>
#include <string>
#include <string_view>

namespace horvane {

// Decodes the sequence at text[index] into codePoint and answers its length in bytes,
// or 0 when the bytes there are not well-formed UTF-8 (a bad lead or continuation
// byte, an overlong form, a surrogate, a value beyond U+10FFFF).
std::size_t DecodeUtf8(std::string_view text, std::size_t index, char32_t& codePoint);

void AppendUtf8(char32_t codePoint, std::string& text);

bool IsValidUtf8(std::string_view text);

// Whether every byte is below 0x80: text that is its own UTF-8 and has one character a byte.
bool IsAscii(std::string_view text);

// UTF-16 text, as the system's records hold it, to UTF-8.
std::string Utf16ToUtf8(std::u16string_view text);

// Code points in valid UTF-8 text.
std::size_t CharacterCount(std::string_view utf8);

} // namespace horvane
