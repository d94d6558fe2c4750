#include "tools/reg/RegCommand.h"

#include "platform/ProgramVersion.h"
#include "platform/registry/RegistryFailure.h"
#include "tools/reg/RegOperations.h"
#include "tools/reg/RegistryReading.h"

namespace horvane::reg {

KeyName KeyOperand(const std::string& text) {
    KeyName key;
    if (!ParseKeyName(text, key))
        throw CommandError("Invalid key name: " + text);
    return key;
}

KeyName ExistingKeyOperand(const std::string& text) {
    KeyName stored;
    Check(StoredKeyName(KeyOperand(text), stored));
    return stored;
}

std::string ResultMessage(LONG result) {
    if (result == ERROR_FILE_NOT_FOUND)
        return "The system was unable to find the specified registry key or value.";
    return RegistryFailureText(result);
}

void Check(LONG result) {
    if (result != ERROR_SUCCESS)
        throw CommandError(ResultMessage(result));
}

void ConfirmOrCancel(const RegContext& context, const std::string& question, bool forced,
                     const std::string& hint) {
    if (!forced && !context.confirm(question))
        throw CommandError("The operation was cancelled (" + hint + ").");
}

std::string ValueDisplayName(const std::string& name) {
    return name.empty() ? "(Default)" : name;
}

int RunRegCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  const Confirm& confirm) {
    if (arguments.size() == 1 && (arguments[0] == "/?" || arguments[0] == "--help")) {
        out << Usage();
        return 0;
    }
    if (arguments.size() == 1 && arguments[0] == "--version") {
        out << VersionText("horvane-reg");
        return 0;
    }
    try {
        const RegArguments parsed = ParseArguments(arguments);
        const RegContext context{out, confirm};
        if (parsed.help)
            out << OperationUsage(parsed.operation);
        else if (parsed.operation == "query")
            RunQuery(parsed, context);
        else if (parsed.operation == "add")
            RunAdd(parsed, context);
        else if (parsed.operation == "delete")
            RunDelete(parsed, context);
        else if (parsed.operation == "export")
            RunExport(parsed, context);
        else
            RunImport(parsed, context);
        return 0;
    } catch (const CommandError& error) {
        out.flush();
        err << "ERROR: " << error.what() << "\n";
        return 1;
    }
}

} // namespace horvane::reg
