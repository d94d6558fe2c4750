#pragma once
// The registry class: set where to work (ClassKey, SectionKey, ValueKey, and ValueType
// for writes), then ask, read, write, delete or enumerate. Every operation opens the key
// it needs and closes it again before it returns. Failures are raised as RegistryError.

#include "platform/registry/RegistryTypes.h"
#include "settings/OneBasedNames.h"
#include "settings/RegistryError.h"
#include "settings/TaggedValue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace horvane {

// The root keys, as ClassKey holds them.
inline constexpr std::int32_t kClassesRoot = std::int32_t(0x80000000);
inline constexpr std::int32_t kCurrentUser = std::int32_t(0x80000001);
inline constexpr std::int32_t kLocalMachine = std::int32_t(0x80000002);

class cRegistry {
public:
    // Does ClassKey\SectionKey exist? Never raises.
    bool KeyExists() const;
    // The same, but raises when the registry cannot tell: a damaged hive, or one that
    // cannot be opened.
    bool KeyExistsOrRaise() const;
    // Creates SectionKey and its missing parents.
    bool CreateKey();
    // Deletes SectionKey, which must have no subkeys.
    bool DeleteKey();
    // Deletes ValueKey inside SectionKey.
    bool DeleteValue();

    // Reads ValueKey; answers Default when it cannot be read. A read sets ValueType.
    TaggedValue Value();
    // Reads each of the named values of SectionKey as Value() reads ValueKey, under one
    // opening of the key (ValueKey is left as it is).
    std::vector<TaggedValue> Values(const std::vector<std::string>& names);
    // Writes ValueKey by ValueType, creating SectionKey when it is missing.
    void Value(const TaggedValue& value);

    // The names of SectionKey's values (subkeys), numbered from 1 in the registry's order.
    bool EnumerateValues(OneBasedNames& sKeyNames, std::int32_t& iKeyCount) const;
    bool EnumerateSections(OneBasedNames& sSect, std::int32_t& iSectCount) const;

    // Registers a file extension with its class and shell verbs under the classes root.
    void CreateEXEAssociation(const std::string& sExePath, const std::string& sClassName,
                              const std::string& sClassDescription, const std::string& sAssociation,
                              const std::string& sOpenMenuText, bool bSupportPrint,
                              const std::string& sPrintMenuText, bool bSupportNew,
                              const std::string& sNewMenuText, bool bSupportInstall,
                              const std::string& sInstallMenuText, std::int32_t lDefaultIconIndex);
    // Adds verbs to an existing class; vItems holds verb, menu text and command, by threes.
    void CreateAdditionalEXEAssociations(const std::string& sClassName,
                                         const std::vector<TaggedValue>& vItems);

    std::int32_t ValueType() const { return valueType_; }
    void ValueType(std::int32_t valueType) { valueType_ = valueType; }
    std::int32_t ClassKey() const { return classKey_; }
    void ClassKey(std::int32_t classKey) { classKey_ = classKey; }
    const std::string& SectionKey() const { return sectionKey_; }
    void SectionKey(const std::string& sectionKey) { sectionKey_ = sectionKey; }
    const std::string& ValueKey() const { return valueKey_; }
    void ValueKey(const std::string& valueKey) { valueKey_ = valueKey; }
    const TaggedValue& Default() const { return default_; }
    void Default(const TaggedValue& value) { default_ = value; }

private:
    // Reads a value of the opened key: Default when it cannot be read; a read sets ValueType.
    TaggedValue ReadValue(HKEY key, const std::string& name);
    // Writes text as the default value of SectionKey under the classes root and under
    // HKEY_LOCAL_MACHINE\SOFTWARE\Classes; SectionKey is kept, ClassKey ends on the latter.
    void SetClassesValue(const std::string& text);
    void SetClassesValue(const std::string& sectionKey, const std::string& text);
    // "'ClassKey',Section: 'SectionKey", the key as the error texts name it.
    std::string KeyLocation() const;
    std::string SetValueText(const TaggedValue& value) const;

    std::int32_t valueType_ = 0;
    std::int32_t classKey_ = 0;
    std::string sectionKey_;
    std::string valueKey_;
    TaggedValue default_;
};

// The error CreateKey raises for a key that cannot be created.
RegistryError CreateKeyError(const std::string& sectionKey);

} // namespace horvane
