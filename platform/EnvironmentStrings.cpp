#include "platform/EnvironmentStrings.h"

#include <cstdlib>
#include <cstring>

namespace horvane {

bool HoldsVariableReference(std::string_view text) {
    const std::size_t first = text.find('%');
    return first != std::string_view::npos && text.find('%', first + 2) != std::string_view::npos;
}

std::string ExpandEnvironmentText(std::string_view text) {
    std::string expanded;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('%', position);
        const std::size_t close = open == std::string_view::npos ? open : text.find('%', open + 1);
        if (close == std::string_view::npos) {
            expanded.append(text.substr(position));
            break;
        }
        expanded.append(text.substr(position, open - position));
        const std::string name(text.substr(open + 1, close - open - 1));
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value) {
            expanded.append(value);
            position = close + 1;
        } else {
            // The closing sign may open the next name.
            expanded.push_back('%');
            position = open + 1;
        }
    }
    return expanded;
}

std::uint32_t ExpandEnvironmentStringsA(const char* lpSrc, char* lpDst, std::uint32_t nSize) {
    const std::string expanded = ExpandEnvironmentText(lpSrc ? lpSrc : "");
    const auto needed = static_cast<std::uint32_t>(expanded.size() + 1);
    if (lpDst && nSize >= needed)
        std::memcpy(lpDst, expanded.c_str(), needed);
    return needed;
}

} // namespace horvane
