#include "platform/registry/RegistryNames.h"

#include <QString>
#include <algorithm>

namespace horvane {
namespace {

bool IsContinuationByte(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// Length of the UTF-8 sequence that starts at text[index], or 0 when it is malformed
// (bad lead byte, missing continuation, overlong form, surrogate, beyond U+10FFFF).
std::size_t SequenceLength(std::string_view text, std::size_t index) {
    const auto lead = static_cast<unsigned char>(text[index]);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    char32_t codePoint = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (index + length > text.size())
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[index + i]);
        if (!IsContinuationByte(byte))
            return 0;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    static constexpr char32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallestOfLength[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return 0;
    return length;
}

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

std::size_t CharacterCount(std::string_view utf8) {
    return std::count_if(utf8.begin(), utf8.end(),
                         [](char c) { return !IsContinuationByte(static_cast<unsigned char>(c)); });
}

bool IsValidKeyName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos && IsValidUtf8(name) &&
           CharacterCount(name) <= kMaxKeyNameCharacters;
}

bool IsValidValueName(std::string_view name) {
    return IsValidUtf8(name) && CharacterCount(name) <= kMaxValueNameCharacters;
}

bool SplitKeyPath(std::string_view path, std::vector<std::string>& names) {
    names.clear();
    if (path.size() > 1 && path.back() == '\\')
        path.remove_suffix(1);
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        const std::string_view name = path.substr(0, end);
        if (!IsValidKeyName(name))
            return false;
        names.emplace_back(name);
        path.remove_prefix(end);
        if (!path.empty()) {
            path.remove_prefix(1);
            if (path.empty())
                return false; // two backslashes at the end
        }
    }
    return true;
}

std::string FoldName(std::string_view name) {
    if (IsAscii(name)) {
        std::string folded(name);
        for (char& c : folded) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
        return folded;
    }
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    return text.toCaseFolded().toStdString();
}

} // namespace horvane
