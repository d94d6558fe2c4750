// query: a key's values and subkeys, or one value, optionally through the whole tree. The
// output starts with a blank line; a key's values follow its line and end with one.

#include "tools/reg/RegOperations.h"
#include "tools/reg/RegValueText.h"
#include "tools/reg/RegistryReading.h"

#include <sstream>

namespace horvane::reg {
namespace {

constexpr const char* kValueNotSet = "(value not set)";

void PrintValue(std::ostream& out, const std::string& name, const std::string& type,
                const std::string& data) {
    out << "    " << ValueDisplayName(name) << "    " << type << "    " << data << "\n";
}

void PrintKey(std::ostream& out, const KeyName& key, const std::vector<NamedValue>& values) {
    out << FullName(key) << "\n";
    for (const NamedValue& value : values)
        PrintValue(out, value.name, TypeName(value.type), DataText(value.type, value.data));
    if (!values.empty())
        out << "\n";
}

// The key with its values, left out when it has none, then the full names of its subkeys.
void PrintKeyAndSubKeys(std::ostream& out, const KeyName& key) {
    std::vector<NamedValue> values;
    std::vector<std::string> subKeys;
    Check(ReadKey(key, values, subKeys));
    if (!values.empty())
        PrintKey(out, key, values);
    for (const std::string& name : subKeys)
        out << FullName(SubKey(key, name)) << "\n";
}

// One value; the default value of a key that has none shows as not set.
void PrintOneValue(std::ostream& out, const KeyName& key, const std::string& name) {
    NamedValue value;
    const LONG result = ReadValue(key, name, value);
    if (result == ERROR_FILE_NOT_FOUND && name.empty()) {
        out << FullName(key) << "\n";
        PrintValue(out, name, TypeName(REG_SZ), kValueNotSet);
        out << "\n";
        return;
    }
    Check(result);
    PrintKey(out, key, {value});
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

// What the query prints, printed whole once it has succeeded.
std::string QueryText(const RegArguments& arguments, const KeyName& key) {
    std::ostringstream out;
    out << "\n";
    if (!arguments.valueName) {
        if (arguments.recurse)
            PrintTree(out, key);
        else
            PrintKeyAndSubKeys(out, key);
    } else if (!arguments.recurse) {
        PrintOneValue(out, key, *arguments.valueName);
    } else {
        const int matches = SearchValue(out, key, *arguments.valueName);
        if (matches == 0)
            Check(ERROR_FILE_NOT_FOUND);
        out << "End of search: " << matches << " match(es) found.\n";
    }
    return out.str();
}

} // namespace

void RunQuery(const RegArguments& arguments, const RegContext& context) {
    context.out << QueryText(arguments, ExistingKeyOperand(arguments.operands[0]));
}

} // namespace horvane::reg
