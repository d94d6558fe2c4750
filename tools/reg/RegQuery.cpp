// query: a key's values and subkeys, or one value, optionally through the whole tree.

#include "tools/reg/RegOperations.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/RegistryReading.h"

namespace horvane::reg {
namespace {

void PrintKey(std::ostream& out, const KeyName& key, const std::vector<NamedValue>& values) {
    out << "\n" << FullName(key) << "\n";
    for (const NamedValue& value : values)
        out << "    " << ValueDisplayName(value.name) << "    " << TypeName(value.type) << "    "
            << DataText(value.type, value.data) << "\n";
}

// The key's values, then the full names of its subkeys.
void PrintKeyAndSubKeys(std::ostream& out, const KeyName& key) {
    std::vector<NamedValue> values;
    std::vector<std::string> subKeys;
    Check(ReadKey(key, values, subKeys));
    PrintKey(out, key, values);
    if (!subKeys.empty())
        out << "\n";
    for (const std::string& name : subKeys)
        out << FullName(SubKey(key, name)) << "\n";
}

void PrintTree(std::ostream& out, const KeyName& top) {
    Check(WalkTree(top, [&out](const KeyName& key, const std::vector<NamedValue>& values) {
        PrintKey(out, key, values);
    }));
}

// Prints every key of the tree that holds the value; answers how many did.
int SearchValue(std::ostream& out, const KeyName& top, const std::string& name) {
    int matches = 0;
    Check(WalkTree(top, [&](const KeyName& key, const std::vector<NamedValue>& values) {
        if (const NamedValue* value = FindValue(values, name)) {
            PrintKey(out, key, {*value});
            ++matches;
        }
    }));
    return matches;
}

} // namespace

void RunQuery(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = ExistingKeyOperand(arguments.operands[0]);
    if (!arguments.valueName) {
        if (arguments.recurse)
            PrintTree(context.out, key);
        else
            PrintKeyAndSubKeys(context.out, key);
        return;
    }
    if (!arguments.recurse) {
        NamedValue value;
        Check(ReadValue(key, *arguments.valueName, value));
        PrintKey(context.out, key, {value});
        return;
    }
    const int matches = SearchValue(context.out, key, *arguments.valueName);
    if (matches == 0)
        Check(ERROR_FILE_NOT_FOUND);
    context.out << "\nEnd of search: " << matches << " match(es) found.\n";
}

} // namespace horvane::reg
