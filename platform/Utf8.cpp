#include "platform/Utf8.h"

#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>

namespace horvane {
namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length that a lead byte announces, 0 for a byte that cannot lead.
std::size_t AnnouncedLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

} // namespace

std::size_t DecodeUtf8(std::string_view text, std::size_t index, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(text[index]);
    const std::size_t length = AnnouncedLength(lead);
    if (length == 0 || index + length > text.size())
        return 0;
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[index + i]);
        if (!IsContinuationByte(byte))
            return 0;
        value = (value << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallestOfLength[length] || value > 0x10FFFF ||
        (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    codePoint = value;
    return length;
}

void AppendUtf8(char32_t codePoint, std::string& text) {
    if (codePoint < 0x80) {
        text.push_back(char(codePoint));
        return;
    }
    const std::size_t length = codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
    static constexpr unsigned char kLeadMarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    text.push_back(char(kLeadMarks[length] | (codePoint >> (6 * (length - 1)))));
    for (std::size_t i = length - 1; i-- > 0;)
        text.push_back(char(0x80 | ((codePoint >> (6 * i)) & 0x3F)));
}

bool IsValidUtf8(std::string_view text) {
    if (IsAscii(text))
        return true;
    char32_t ignored = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = DecodeUtf8(text, i, ignored);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// Eight bytes at a time: names are checked on every registry call.
bool IsAscii(std::string_view text) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080;
    std::uint64_t bits = 0;
    std::size_t i = 0;
    for (; i + sizeof bits <= text.size(); i += sizeof bits) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + i, sizeof word);
        bits |= word;
    }
    for (; i < text.size(); ++i)
        bits |= static_cast<unsigned char>(text[i]);
    return (bits & kHighBits) == 0;
}

std::size_t CharacterCount(std::string_view utf8) {
    if (IsAscii(utf8))
        return utf8.size();
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return !IsContinuationByte(static_cast<unsigned char>(c)); });
}

std::string Utf16ToUtf8(std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size())).toStdString();
}

} // namespace horvane
