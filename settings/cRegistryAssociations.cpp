// The registry class's file-type association methods.

#include "settings/cRegistry.h"

namespace horvane {
namespace {

constexpr std::int32_t kReadableString = 1; // REG_SZ

// The path without surrounding blanks, in double quotes.
std::string QuotedPath(std::string path) {
    const std::size_t first = path.find_first_not_of(' ');
    const std::size_t last = path.find_last_not_of(' ');
    path = first == std::string::npos ? std::string() : path.substr(first, last - first + 1);
    if (path.empty() || path.front() != '"')
        path.insert(path.begin(), '"');
    if (path.size() < 2 || path.back() != '"')
        path.push_back('"');
    return path;
}

// The executable, an optional switch, and the document placeholder in quotes.
std::string CommandLine(const std::string& quotedExe, const std::string& option) {
    return quotedExe + " " + (option.empty() ? "" : option + " ") + "\"%1\"";
}

std::string OrDefault(const std::string& text, const std::string& fallback) {
    return text.empty() ? fallback : text;
}

} // namespace

void cRegistry::SetClassesValue(const std::string& text) {
    const std::string section = sectionKey_;
    try {
        classKey_ = kClassesRoot;
        Value(text);
        classKey_ = kLocalMachine;
        sectionKey_ = "SOFTWARE\\Classes\\" + section;
        Value(text);
    } catch (const RegistryError&) {
        sectionKey_ = section;
        throw;
    }
    sectionKey_ = section;
}

void cRegistry::SetClassesValue(const std::string& sectionKey, const std::string& text) {
    sectionKey_ = sectionKey;
    SetClassesValue(text);
}

void cRegistry::CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                                     const std::string& sClassDescription,
                                     const std::string& sAssociation,
                                     const std::string& sOpenMenuText, bool bSupportPrint,
                                     const std::string& sPrintMenuText, bool bSupportNew,
                                     const std::string& sNewMenuText, bool bSupportInstall,
                                     const std::string& sInstallMenuText,
                                     std::int32_t lDefaultIconIndex) {
    const std::string exe = QuotedPath(sExePath);
    const std::string shell = sClassName + "\\shell\\";
    valueType_ = kReadableString;
    valueKey_.clear();

    SetClassesValue("." + sAssociation, sClassName);
    SetClassesValue(sClassName, sClassDescription);
    SetClassesValue(shell + "open", OrDefault(sOpenMenuText, "&Open"));
    SetClassesValue(shell + "open\\command", CommandLine(exe, ""));
    if (bSupportPrint) {
        SetClassesValue(shell + "print", OrDefault(sPrintMenuText, "&Print"));
        SetClassesValue(shell + "print\\command", CommandLine(exe, "/p"));
    }
    if (bSupportInstall) {
        SetClassesValue(shell + "add", OrDefault(sInstallMenuText, "&Install " + sAssociation));
        SetClassesValue(shell + "add\\command", CommandLine(exe, "/a"));
    }
    if (bSupportNew) {
        SetClassesValue(shell + "new", OrDefault(sNewMenuText, "&New"));
        SetClassesValue(shell + "new\\command", CommandLine(exe, "/n"));
    }
    if (lDefaultIconIndex > -1)
        SetClassesValue(sClassName + "\\DefaultIcon",
                        exe + "," + std::to_string(lDefaultIconIndex));
}

void cRegistry::CreateAdditionalEXEAssociations(const std::string& sClassName,
                                                const std::vector<TaggedValue>& vItems) {
    if (vItems.empty() || vItems.size() % 3 != 0)
        throw RegistryError(kAssociationListError, "Invalid parameter list passed to "
                                                   "CreateAdditionalEXEAssociations - expected "
                                                   "Name/Text/Command");
    sectionKey_ = sClassName;
    if (!KeyExists())
        throw RegistryError(kAssociationClassError,
                            "Error - attempt to create additional associations before class "
                            "defined.");
    valueKey_.clear();
    for (std::size_t item = 0; item < vItems.size(); item += 3) {
        const std::string verbKey = sClassName + "\\shell\\" + TaggedValueString(vItems[item]);
        valueType_ = kReadableString;
        try {
            SetClassesValue(verbKey, TaggedValueString(vItems[item + 1]));
            SetClassesValue(verbKey + "\\command", TaggedValueString(vItems[item + 2]));
        } catch (const RegistryError&) {
            // One verb that cannot be written does not keep the others from being written.
        }
    }
}

} // namespace horvane
