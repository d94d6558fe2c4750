#include "platform/registry/RegistryNames.h"

#include <QString>
#include <algorithm>
#include <array>

namespace horvane {

bool IsValidKeyName(std::string_view name) {
    return !name.empty() && name.find('\\') == std::string_view::npos && IsValidUtf8(name) &&
           CharacterCount(name) <= kMaxKeyNameCharacters;
}

bool IsValidValueName(std::string_view name) {
    return IsValidUtf8(name) && CharacterCount(name) <= kMaxValueNameCharacters;
}

bool SplitKeyPath(std::string_view path, PathNames& names) {
    names.clear();
    if (path.size() > 1 && path.back() == '\\')
        path.remove_suffix(1);
    while (!path.empty()) {
        const std::size_t end = std::min(path.find('\\'), path.size());
        const std::string_view name = path.substr(0, end);
        if (!IsValidKeyName(name))
            return false;
        names.push_back(name);
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
        // By table: every registry call folds the names it looks up.
        static constexpr auto kLower = [] {
            std::array<char, 128> lower{};
            for (std::size_t c = 0; c < lower.size(); ++c)
                lower[c] = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
            return lower;
        }();
        std::string folded(name);
        for (char& c : folded)
            c = kLower[static_cast<unsigned char>(c)];
        return folded;
    }
    const QString text = QString::fromUtf8(name.data(), qsizetype(name.size()));
    return text.toCaseFolded().toStdString();
}

} // namespace horvane
