#include "tools/reg/TextEncoding.h"

#include "platform/Utf8.h"

namespace horvane::reg {
namespace {

constexpr char16_t kCarriedByteBase = 0xDC00; // U+DC80..U+DCFF carry bytes 0x80..0xFF

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u16string WidenText(std::string_view narrow) {
    std::u16string wide;
    wide.reserve(narrow.size());
    for (std::size_t i = 0; i < narrow.size();) {
        char32_t codePoint = 0;
        const std::size_t length = DecodeUtf8(narrow, i, codePoint);
        if (length == 0) {
            wide.push_back(char16_t(kCarriedByteBase + static_cast<unsigned char>(narrow[i])));
            ++i;
            continue;
        }
        if (codePoint >= 0x10000) {
            codePoint -= 0x10000;
            wide.push_back(char16_t(0xD800 + (codePoint >> 10)));
            wide.push_back(char16_t(0xDC00 + (codePoint & 0x3FF)));
        } else {
            wide.push_back(char16_t(codePoint));
        }
        i += length;
    }
    return wide;
}

bool NarrowText(std::u16string_view wide, std::string& narrow) {
    narrow.clear();
    narrow.reserve(wide.size());
    for (std::size_t i = 0; i < wide.size(); ++i) {
        const char32_t unit = wide[i];
        if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
            AppendUtf8(0x10000 + ((unit - 0xD800) << 10) + (wide[i + 1] - 0xDC00), narrow);
            ++i;
        } else if (unit >= 0xDC80 && unit <= 0xDCFF) {
            narrow.push_back(char(unit - kCarriedByteBase));
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            return false;
        } else {
            AppendUtf8(unit, narrow);
        }
    }
    return true;
}

std::vector<std::uint8_t> Utf16LeBytes(std::string_view narrow) {
    const std::u16string wide = WidenText(narrow);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(2 * wide.size());
    for (const char16_t unit : wide) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    }
    return bytes;
}

bool TextFromUtf16LeBytes(std::span<const std::uint8_t> bytes, std::string& narrow) {
    if (bytes.size() % 2 != 0)
        return false;
    std::u16string wide;
    wide.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        wide.push_back(char16_t(bytes[i] | (bytes[i + 1] << 8)));
    return NarrowText(wide, narrow);
}

} // namespace horvane::reg
