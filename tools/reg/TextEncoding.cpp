#include "tools/reg/TextEncoding.h"

namespace horvane::reg {
namespace {

constexpr char16_t kCarriedByteBase = 0xDC00; // U+DC80..U+DCFF carry bytes 0x80..0xFF

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Decodes one well-formed UTF-8 sequence at text[index]; answers its length, 0 if malformed.
std::size_t DecodeUtf8(std::string_view text, std::size_t index, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[index]);
    std::size_t length = lead < 0x80           ? 1
                         : (lead >> 5) == 0x6  ? 2
                         : (lead >> 4) == 0xE  ? 3
                         : (lead >> 3) == 0x1E ? 4
                                               : 0;
    if (length == 0 || index + length > text.size())
        return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[index + i]);
        if ((byte & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF || IsLowSurrogate(codePoint) ||
        IsHighSurrogate(codePoint))
        return 0;
    return length;
}

void AppendUtf8(char32_t codePoint, std::string& text) {
    if (codePoint < 0x80) {
        text.push_back(char(codePoint));
    } else if (codePoint < 0x800) {
        text.push_back(char(0xC0 | (codePoint >> 6)));
        text.push_back(char(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        text.push_back(char(0xE0 | (codePoint >> 12)));
        text.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(char(0x80 | (codePoint & 0x3F)));
    } else {
        text.push_back(char(0xF0 | (codePoint >> 18)));
        text.push_back(char(0x80 | ((codePoint >> 12) & 0x3F)));
        text.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        text.push_back(char(0x80 | (codePoint & 0x3F)));
    }
}

} // namespace

std::u16string WidenText(std::string_view narrow) {
    std::u16string wide;
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
    std::vector<std::uint8_t> bytes;
    for (const char16_t unit : WidenText(narrow)) {
        bytes.push_back(std::uint8_t(unit & 0xFF));
        bytes.push_back(std::uint8_t(unit >> 8));
    }
    return bytes;
}

bool TextFromUtf16LeBytes(const std::vector<std::uint8_t>& bytes, std::string& narrow) {
    if (bytes.size() % 2 != 0)
        return false;
    std::u16string wide;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        wide.push_back(char16_t(bytes[i] | (bytes[i + 1] << 8)));
    return NarrowText(wide, narrow);
}

} // namespace horvane::reg
