#include "tools/reg/RegKeyNames.h"

#include "platform/registry/RegistryNames.h"

#include <strings.h>
#include <vector>

namespace horvane::reg {
namespace {

struct Root {
    const char* shortName;
    const char* longName;
    HKEY key;
};

constexpr Root kRoots[] = {
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKCR", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
};

bool SameText(std::string_view a, const char* b) {
    return a.size() == std::char_traits<char>::length(b) && strncasecmp(a.data(), b, a.size()) == 0;
}

} // namespace

bool ParseKeyName(std::string_view text, KeyName& key) {
    const std::size_t separator = text.find('\\');
    const std::string_view rootText = text.substr(0, separator);
    const std::string_view path =
        separator == std::string_view::npos ? std::string_view() : text.substr(separator + 1);
    PathNames names;
    if (!SplitKeyPath(path, names) || (separator != std::string_view::npos && path.empty()))
        return false;
    for (const Root& root : kRoots) {
        if (SameText(rootText, root.shortName) || SameText(rootText, root.longName)) {
            key.root = root.key;
            key.rootName = root.longName;
            key.path.clear();
            for (const std::string_view name : names)
                key.path.append(key.path.empty() ? "" : "\\").append(name);
            return true;
        }
    }
    return false;
}

std::string FullName(const KeyName& key) {
    return key.path.empty() ? key.rootName : key.rootName + "\\" + key.path;
}

KeyName SubKey(const KeyName& key, const std::string& name) {
    KeyName child = key;
    child.path = key.path.empty() ? name : key.path + "\\" + name;
    return child;
}

HKEY HiveRoot(HKEY root) {
    return root == HKEY_CURRENT_USER ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

} // namespace horvane::reg
