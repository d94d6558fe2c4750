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

void PrintTree(std::ostream& out, const KeyName& key, bool recurse) {
    std::vector<NamedValue> values;
    Check(ReadValues(key, values));
    std::vector<std::string> subKeys;
    Check(ReadSubKeys(key, subKeys));
    PrintKey(out, key, values);
    if (!recurse && !subKeys.empty())
        out << "\n";
    for (const std::string& name : subKeys) {
        if (recurse)
            PrintTree(out, SubKey(key, name), true);
        else
            out << FullName(SubKey(key, name)) << "\n";
    }
}

// Prints every key of the tree that holds the value; answers how many did.
int SearchValue(std::ostream& out, const KeyName& key, const std::string& name) {
    int matches = 0;
    NamedValue value;
    if (const LONG result = ReadValue(key, name, value); result == ERROR_SUCCESS) {
        PrintKey(out, key, {value});
        ++matches;
    } else if (result != ERROR_FILE_NOT_FOUND) {
        Check(result);
    }
    std::vector<std::string> subKeys;
    Check(ReadSubKeys(key, subKeys));
    for (const std::string& subKey : subKeys)
        matches += SearchValue(out, SubKey(key, subKey), name);
    return matches;
}

} // namespace

void RunQuery(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = ExistingKeyOperand(arguments.operands[0]);
    if (!arguments.valueName) {
        PrintTree(context.out, key, arguments.recurse);
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
