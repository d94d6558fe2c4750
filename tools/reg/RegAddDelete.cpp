// add and delete: keys and values, asking before anything that exists is overwritten or
// removed unless forced.

#include "platform/Utf8.h"
#include "platform/registry/RegistryApi.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/RegistryReading.h"

namespace horvane::reg {
namespace {

// A key opened (or created) for changing, closed at the end of the operation.
class ChangingKey {
public:
    ChangingKey(const KeyName& key, bool create) {
        Check(create
                  ? RegCreateKeyExA(key.root, key.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_ALL_ACCESS, nullptr, &handle_, nullptr)
                  : RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_ALL_ACCESS, &handle_));
    }
    ChangingKey(const ChangingKey&) = delete;
    ChangingKey& operator=(const ChangingKey&) = delete;
    ~ChangingKey() { RegCloseKey(handle_); }
    HKEY Handle() const { return handle_; }

private:
    HKEY handle_{};
};

// Opens and closes the key: reports a key that is missing or cannot be changed.
void RequireChangeableKey(const KeyName& key) {
    const ChangingKey existing(key, false);
}

bool ValueExists(HKEY key, const std::string& name) {
    return RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

void DeleteAllValues(const KeyName& key) {
    std::vector<NamedValue> values;
    Check(ReadValues(key, values));
    RegistryBatch batch(HiveRoot(key.root)); // all values go, or none
    Check(batch.Begin());
    const ChangingKey opened(key, false);
    for (const NamedValue& value : values)
        Check(RegDeleteValueA(opened.Handle(), value.name.c_str()));
    Check(batch.Commit());
}

// The type that /t names, REG_SZ without it.
DWORD AddedType(const RegArguments& arguments) {
    if (!arguments.type)
        return REG_SZ;
    const std::optional<DWORD> named = AddableType(*arguments.type);
    if (!named)
        throw CommandError("Invalid syntax: unknown type " + *arguments.type + ".");
    return *named;
}

// The separator of a multi-string's strings: /s gives one character instead of \0.
std::string_view Separator(const RegArguments& arguments, DWORD type) {
    if (!arguments.separator)
        return kMultiStringSeparator;
    if (type != REG_MULTI_SZ)
        throw CommandError("Invalid syntax: /s applies to REG_MULTI_SZ only.");
    if (!IsValidUtf8(*arguments.separator) || CharacterCount(*arguments.separator) != 1)
        throw CommandError("Invalid syntax: /s takes one character.");
    return *arguments.separator;
}

} // namespace

// Without /v or /ve, add sets the key's default value; without /d, to empty data.
void RunAdd(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = KeyOperand(arguments.operands[0]);
    const DWORD type = AddedType(arguments);
    if (IsNumberType(type) && !arguments.data)
        throw CommandError("Invalid syntax: " + TypeName(type) + " needs /d DATA.");
    std::vector<BYTE> data;
    if (!DataFromText(type, arguments.data.value_or(""), Separator(arguments, type), data))
        throw CommandError(
            "Invalid data for " + TypeName(type) + ": " + *arguments.data +
            (type == REG_MULTI_SZ ? " (a multi-string cannot hold an empty string)" : ""));

    const ChangingKey opened(key, true);
    const std::string name = arguments.valueName.value_or("");
    if (ValueExists(opened.Handle(), name))
        ConfirmOrCancel(context, "Value " + ValueDisplayName(name) + " exists, overwrite(Yes/No)? ",
                        arguments.force, "confirm on a terminal or give /f");
    Check(RegSetValueExA(opened.Handle(), name.c_str(), 0, type, data.data(), DWORD(data.size())));
    context.out << kCompleted;
}

void RunDelete(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = KeyOperand(arguments.operands[0]);
    const std::string hint = "confirm on a terminal or give /f";
    if (arguments.valueName) {
        const ChangingKey opened(key, false);
        if (!ValueExists(opened.Handle(), *arguments.valueName))
            Check(ERROR_FILE_NOT_FOUND);
        ConfirmOrCancel(context,
                        "Delete the registry value " + ValueDisplayName(*arguments.valueName) +
                            " (Yes/No)? ",
                        arguments.force, hint);
        Check(RegDeleteValueA(opened.Handle(), arguments.valueName->c_str()));
    } else if (arguments.allValues) {
        RequireChangeableKey(key);
        ConfirmOrCancel(context,
                        "Delete all values under the registry key " + FullName(key) + " (Yes/No)? ",
                        arguments.force, hint);
        DeleteAllValues(key);
    } else {
        if (key.path.empty())
            throw CommandError("A root key cannot be deleted: " + FullName(key));
        RequireChangeableKey(key);
        ConfirmOrCancel(context,
                        "Permanently delete the registry key " + FullName(key) + " (Yes/No)? ",
                        arguments.force, hint);
        Check(RegDeleteTreeA(key.root, key.path.c_str()));
    }
    context.out << kCompleted;
}

} // namespace horvane::reg
