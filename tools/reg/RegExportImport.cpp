// export and import: a key's whole tree to a file in the registry editor's format, and
// such a file back into the registry, all of it or nothing.

#include "platform/SafeFileWrite.h"
#include "platform/WholeFileRead.h"
#include "platform/registry/RegistryApi.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegOperations.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>

namespace horvane::reg {
namespace {

std::string TreeText(const KeyName& top) {
    std::string text;
    Check(WalkTree(top, [&text](const KeyName& key, const std::vector<NamedValue>& values) {
        text += SectionText(key, values);
    }));
    return text;
}

std::string ReadFileBytes(const std::string& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes)
        throw CommandError("Cannot open " + path + ".");
    return std::move(*bytes);
}

LONG CreateKey(const KeyName& key, HKEY& handle) {
    return RegCreateKeyExA(key.root, key.path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &handle, nullptr);
}

LONG Apply(const ImportStep& step) {
    using Action = ImportStep::Action;
    if (step.action == Action::DeleteKey) {
        const LONG result = RegDeleteTreeA(step.key.root, step.key.path.c_str());
        return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
    }
    HKEY key{};
    LONG result = step.action == Action::DeleteValue
                      ? RegOpenKeyExA(step.key.root, step.key.path.c_str(), 0, KEY_ALL_ACCESS, &key)
                      : CreateKey(step.key, key);
    if (result == ERROR_FILE_NOT_FOUND && step.action == Action::DeleteValue)
        return ERROR_SUCCESS;
    if (result != ERROR_SUCCESS)
        return result;
    const NamedValue& value = step.value;
    if (step.action == Action::SetValue)
        result = RegSetValueExA(key, value.name.c_str(), 0, value.type, value.data.data(),
                                DWORD(value.data.size()));
    else if (step.action == Action::DeleteValue)
        result = RegDeleteValueA(key, value.name.c_str());
    RegCloseKey(key);
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

// The part of an import that lands in one hive, in one transaction.
struct HivePart {
    HKEY hive{};
    std::vector<std::string> roots; // the root keys of the file's lines in this hive
    std::vector<int> lines;
    std::unique_ptr<RegistryBatch> batch;
};

// "lines 3-5, 9" for the lines 3, 4, 5 and 9 (given in ascending order).
std::string LinesText(const std::vector<int>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (std::size_t first = 0; first < lines.size();) {
        std::size_t last = first;
        while (last + 1 < lines.size() && lines[last + 1] == lines[last] + 1)
            ++last;
        text += (first == 0 ? "" : ", ") + std::to_string(lines[first]);
        if (last > first)
            text += "-" + std::to_string(lines[last]);
        first = last + 1;
    }
    return text;
}

// "HKEY_CURRENT_USER (lines 3-5)"
std::string PartText(const HivePart& part) {
    std::string roots;
    for (const std::string& root : part.roots)
        roots += (roots.empty() ? "" : " and ") + root;
    return roots + " (" + LinesText(part.lines) + ")";
}

// The file's steps grouped by the hive they change: the user's hive first, then the
// machine's, whatever the file's order, so that two imports never wait on each other's
// hive in opposite orders.
std::vector<HivePart> HiveParts(const std::vector<ImportStep>& steps) {
    std::vector<HivePart> parts;
    for (const HKEY hive : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        HivePart part{hive, {}, {}, nullptr};
        for (const ImportStep& step : steps) {
            if (HiveRoot(step.key.root) != hive)
                continue;
            if (std::find(part.roots.begin(), part.roots.end(), step.key.rootName) ==
                part.roots.end())
                part.roots.push_back(step.key.rootName);
            part.lines.push_back(step.line);
        }
        if (!part.lines.empty())
            parts.push_back(std::move(part));
    }
    return parts;
}

// Two hives cannot commit as one: when the machine's fails after the user's has landed,
// the message says exactly which lines landed and which did not.
void CommitAll(const std::string& file, std::vector<HivePart>& parts) {
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const LONG result = parts[i].batch->Commit();
        if (result == ERROR_SUCCESS)
            continue;
        const std::string message =
            file + ": the changes could not be saved: " + ResultMessage(result);
        if (i == 0)
            throw CommandError(message + " Nothing was imported.");
        throw CommandError(message + " Only part of the file was imported: " + PartText(parts[0]) +
                           " landed; " + PartText(parts[i]) + " did not.");
    }
}

} // namespace

void RunExport(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = ExistingKeyOperand(arguments.operands[0]);
    const std::filesystem::path file = arguments.operands[1];
    const std::string text = std::string(kUnicodeHeader) + "\r\n\r\n" + TreeText(key);
    if (std::filesystem::exists(std::filesystem::symlink_status(file)))
        ConfirmOrCancel(context,
                        "File " + arguments.operands[1] + " already exists. Overwrite (Yes/No)? ",
                        arguments.overwriteFile, "confirm on a terminal or give /y");
    if (const std::error_code error = WriteFileSafely(file, UnicodeFileBytes(text)))
        throw CommandError("Cannot write " + arguments.operands[1] + ": " + error.message() + ".");
    context.out << kCompleted;
}

void RunImport(const RegArguments& arguments, const RegContext& context) {
    const std::string& file = arguments.operands[0];
    const std::vector<ImportStep> steps = ParseRegFile(ReadFileBytes(file), file);
    // One transaction for each hive the file touches, all open until every step is done.
    std::vector<HivePart> parts = HiveParts(steps);
    for (HivePart& part : parts) {
        part.batch = std::make_unique<RegistryBatch>(part.hive);
        if (const LONG result = part.batch->Begin(); result != ERROR_SUCCESS)
            throw CommandError(file + ", " + PartText(part) + ": " + ResultMessage(result) +
                               " Nothing was imported.");
    }
    for (const ImportStep& step : steps) {
        if (const LONG result = Apply(step); result != ERROR_SUCCESS)
            throw CommandError(file + ", line " + std::to_string(step.line) + ": " +
                               ResultMessage(result));
    }
    CommitAll(file, parts);
    context.out << kCompleted;
}

} // namespace horvane::reg
