#include "tools/reg/RegArguments.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace horvane::reg {
namespace {

struct Operation {
    const char* name;
    std::size_t operands;
    std::vector<std::string_view> switches;
};

const Operation kOperations[] = {
    {"query", 1, {"v", "ve", "s"}},
    {"add", 1, {"v", "ve", "t", "d", "f"}},
    {"delete", 1, {"v", "ve", "va", "f"}},
    {"export", 2, {"y"}},
    {"import", 1, {}},
};

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

// The switch name of an argument such as /VE or -s, when it is one the operation takes.
std::optional<std::string> SwitchName(const std::string& argument, const Operation& operation) {
    if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
        return std::nullopt;
    const std::string name = Lower(std::string_view(argument).substr(1));
    static const std::vector<std::string_view> kAll = {"v", "ve", "va", "s", "f", "y", "t", "d"};
    if (std::find(kAll.begin(), kAll.end(), name) == kAll.end())
        return std::nullopt; // an operand such as /tmp/places.reg
    if (std::find(operation.switches.begin(), operation.switches.end(), name) ==
        operation.switches.end())
        throw CommandError("Invalid syntax: " + argument + " does not apply to " + operation.name +
                           ".");
    return name;
}

void SetOnce(std::optional<std::string>& field, std::string value, const std::string& argument) {
    if (field)
        throw CommandError("Invalid syntax: " + argument + " is given twice.");
    field = std::move(value);
}

} // namespace

const char* const kUsage =
    "Usage:\n"
    "  horvane-reg query KEY [/v NAME | /ve] [/s]\n"
    "  horvane-reg add KEY [/v NAME | /ve] [/t TYPE] [/d DATA] [/f]\n"
    "  horvane-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    "  horvane-reg export KEY FILE [/y]\n"
    "  horvane-reg import FILE\n"
    "  horvane-reg /? | --help | --version\n"
    "KEY starts with HKCU, HKLM or HKCR (or HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,\n"
    "HKEY_CLASSES_ROOT). TYPE is REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD or REG_BINARY.\n";

RegArguments ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        throw CommandError("Invalid syntax: no operation given.");
    RegArguments parsed;
    parsed.operation = Lower(arguments[0]);
    const auto operation =
        std::find_if(std::begin(kOperations), std::end(kOperations),
                     [&](const Operation& o) { return parsed.operation == o.name; });
    if (operation == std::end(kOperations))
        throw CommandError("Invalid syntax: unknown operation " + arguments[0] + ".");

    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const std::optional<std::string> name = SwitchName(argument, *operation);
        if (!name) {
            parsed.operands.push_back(argument);
            continue;
        }
        const bool takesArgument = *name == "v" || *name == "t" || *name == "d";
        if (takesArgument && i + 1 >= arguments.size())
            throw CommandError("Invalid syntax: " + argument + " needs an argument.");
        if (*name == "v" || *name == "ve")
            SetOnce(parsed.valueName, *name == "v" ? arguments[++i] : "", argument);
        else if (*name == "t")
            SetOnce(parsed.type, arguments[++i], argument);
        else if (*name == "d")
            SetOnce(parsed.data, arguments[++i], argument);
        else if (*name == "va")
            parsed.allValues = true;
        else if (*name == "s")
            parsed.recurse = true;
        else if (*name == "f")
            parsed.force = true;
        else
            parsed.overwriteFile = true;
    }
    if (parsed.allValues && parsed.valueName)
        throw CommandError("Invalid syntax: /va cannot be combined with /v or /ve.");
    if (parsed.operands.size() != operation->operands)
        throw CommandError("Invalid syntax: " + parsed.operation + " takes " +
                           (operation->operands == 1 ? "one operand." : "two operands."));
    return parsed;
}

} // namespace horvane::reg
