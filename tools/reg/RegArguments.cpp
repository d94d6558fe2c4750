#include "tools/reg/RegArguments.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <string_view>

namespace horvane::reg {
namespace {

struct Switch {
    std::string_view name;
    bool takesArgument;
};

struct Operation {
    const char* name;
    std::size_t operands;
    std::vector<Switch> switches;
    const char* usage;
};

const Operation kOperations[] = {
    {"query",
     1,
     {{"v", true}, {"ve", false}, {"s", false}},
     "  horvane-reg query KEY [/v NAME | /ve] [/s]\n"},
    {"add",
     1,
     {{"v", true}, {"ve", false}, {"t", true}, {"s", true}, {"d", true}, {"f", false}},
     "  horvane-reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEP] [/d DATA] [/f]\n"},
    {"delete",
     1,
     {{"v", true}, {"ve", false}, {"va", false}, {"f", false}},
     "  horvane-reg delete KEY [/v NAME | /ve | /va] [/f]\n"},
    {"export", 2, {{"y", false}}, "  horvane-reg export KEY FILE [/y]\n"},
    {"import", 1, {}, "  horvane-reg import FILE\n"},
};

constexpr const char* kKeysAndTypes =
    "KEY starts with HKCU, HKLM or HKCR (or HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,\n"
    "HKEY_CLASSES_ROOT). TYPE is REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD,\n"
    "REG_DWORD_LITTLE_ENDIAN, REG_DWORD_BIG_ENDIAN, REG_QWORD, REG_BINARY or REG_NONE.\n"
    "Numbers are decimal or 0x hexadecimal; /s SEP separates a REG_MULTI_SZ's strings\n"
    "in DATA instead of \\0. /? after an operation shows its usage.\n";

// The arguments that ask for an operation's usage.
constexpr std::string_view kHelp[] = {"/?", "-?", "/h", "-h"};

// The longest switch with its / or -, such as /ve: anything longer is an operand.
constexpr std::size_t kLongestSwitch = 3;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return lower;
}

const Operation* FindOperation(const std::string& name) {
    const auto found = std::find_if(std::begin(kOperations), std::end(kOperations),
                                    [&](const Operation& o) { return name == o.name; });
    return found == std::end(kOperations) ? nullptr : found;
}

// The switch of an argument such as /VE or -s, when it is one the operation takes.
std::optional<Switch> SwitchOf(const std::string& argument, const Operation& operation) {
    if (argument.size() < 2 || argument.size() > kLongestSwitch ||
        (argument[0] != '/' && argument[0] != '-'))
        return std::nullopt;
    const std::string name = Lower(std::string_view(argument).substr(1));
    static const std::vector<std::string_view> kAll = {"v", "ve", "va", "s", "f", "y", "t", "d"};
    if (std::find(kAll.begin(), kAll.end(), name) == kAll.end())
        return std::nullopt; // an operand such as /tmp/places.reg
    const auto found = std::find_if(operation.switches.begin(), operation.switches.end(),
                                    [&](const Switch& s) { return s.name == name; });
    if (found == operation.switches.end())
        throw CommandError("Invalid syntax: " + argument + " does not apply to " + operation.name +
                           ".");
    return *found;
}

void SetOnce(std::optional<std::string>& field, std::string value, const std::string& argument) {
    if (field)
        throw CommandError("Invalid syntax: " + argument + " is given twice.");
    field = std::move(value);
}

bool AsksForHelp(const std::vector<std::string>& arguments) {
    return std::any_of(arguments.begin() + 1, arguments.end(), [](const std::string& argument) {
        return argument.size() == 2 &&
               std::find(std::begin(kHelp), std::end(kHelp), Lower(argument)) != std::end(kHelp);
    });
}

// Takes the switch (and its argument at arguments[i + 1]) into parsed.
void TakeSwitch(const Switch& given, const std::vector<std::string>& arguments, std::size_t& i,
                RegArguments& parsed) {
    const std::string& argument = arguments[i];
    if (given.takesArgument && i + 1 >= arguments.size())
        throw CommandError("Invalid syntax: " + argument + " needs an argument.");
    const std::string value = given.takesArgument ? arguments[++i] : std::string();
    const std::string_view name = given.name;
    if (name == "v" || name == "ve")
        SetOnce(parsed.valueName, value, argument);
    else if (name == "t")
        SetOnce(parsed.type, value, argument);
    else if (name == "d")
        SetOnce(parsed.data, value, argument);
    else if (name == "s" && given.takesArgument)
        SetOnce(parsed.separator, value, argument);
    else if (name == "va")
        parsed.allValues = true;
    else if (name == "s")
        parsed.recurse = true;
    else if (name == "f")
        parsed.force = true;
    else if (parsed.operands.size() < 2)
        throw CommandError("Invalid syntax: /y must follow the key and the file.");
    else
        parsed.overwriteFile = true;
}

} // namespace

std::string Usage() {
    std::string usage = "Usage:\n";
    for (const Operation& operation : kOperations)
        usage += operation.usage;
    return usage + "  horvane-reg /? | --help | --version\n" + kKeysAndTypes;
}

std::string OperationUsage(const std::string& operation) {
    return std::string("Usage:\n") + FindOperation(operation)->usage + kKeysAndTypes;
}

RegArguments ParseArguments(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        throw CommandError("Invalid syntax: no operation given.");
    RegArguments parsed;
    parsed.operation = Lower(arguments[0]);
    const Operation* operation = FindOperation(parsed.operation);
    if (!operation)
        throw CommandError("Invalid syntax: unknown operation " + arguments[0] + ".");
    if (AsksForHelp(arguments)) {
        parsed.help = true;
        return parsed;
    }

    std::set<std::string_view> given;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::optional<Switch> found = SwitchOf(arguments[i], *operation);
        if (!found) {
            parsed.operands.push_back(arguments[i]);
            continue;
        }
        if (!given.insert(found->name).second)
            throw CommandError("Invalid syntax: " + arguments[i] + " is given twice.");
        TakeSwitch(*found, arguments, i, parsed);
    }
    if (parsed.allValues && parsed.valueName)
        throw CommandError("Invalid syntax: /va cannot be combined with /v or /ve.");
    if (parsed.operands.size() != operation->operands)
        throw CommandError("Invalid syntax: " + parsed.operation + " takes " +
                           (operation->operands == 1 ? "one operand." : "two operands."));
    return parsed;
}

} // namespace horvane::reg
