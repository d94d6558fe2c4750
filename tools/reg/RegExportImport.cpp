// export and import: a key's whole tree to a file in the registry editor's format, and
// such a file back into the registry, all of it or nothing.

#include "platform/registry/RegistryApi.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegOperations.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <unistd.h>

namespace horvane::reg {
namespace {

void AppendTree(const KeyName& key, std::string& text) {
    std::vector<NamedValue> values;
    Check(ReadValues(key, values));
    std::vector<std::string> subKeys;
    Check(ReadSubKeys(key, subKeys));
    text += SectionText(key, values);
    for (const std::string& name : subKeys)
        AppendTree(SubKey(key, name), text);
}

// Writes beside the file and renames, so that a failed export never leaves a cut-off
// file or spoils one that was there.
void WriteFileWhole(const std::filesystem::path& path, const std::string& bytes) {
    const std::filesystem::path partial = path.string() + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << bytes;
        file.flush();
        if (!file) {
            std::filesystem::remove(partial);
            throw CommandError("Cannot write " + path.string() + ".");
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::filesystem::remove(partial);
        throw CommandError("Cannot write " + path.string() + ": " + error.message() + ".");
    }
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw CommandError("Cannot open " + path + ".");
    return std::string(std::istreambuf_iterator<char>(file), {});
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

} // namespace

void RunExport(const RegArguments& arguments, const RegContext& context) {
    const KeyName key = ExistingKeyOperand(arguments.operands[0]);
    const std::string& file = arguments.operands[1];
    std::string text = std::string(kUnicodeHeader) + "\r\n\r\n";
    AppendTree(key, text);
    if (std::filesystem::exists(file))
        ConfirmOrCancel(context, "File " + file + " already exists. Overwrite (Yes/No)? ",
                        arguments.overwriteFile, "confirm on a terminal or give /y");
    WriteFileWhole(file, UnicodeFileBytes(text));
    context.out << kCompleted;
}

void RunImport(const RegArguments& arguments, const RegContext& context) {
    const std::string& file = arguments.operands[0];
    std::vector<ImportStep> steps;
    try {
        steps = ParseRegFile(ReadFileBytes(file));
    } catch (const CommandError& error) {
        throw CommandError(file + ", " + error.what());
    }
    // One transaction for each hive the file touches: all of it lands, or none.
    std::vector<std::unique_ptr<RegistryBatch>> batches;
    std::vector<HKEY> hiveRoots;
    for (const ImportStep& step : steps) {
        const HKEY root = HiveRoot(step.key.root);
        if (std::find(hiveRoots.begin(), hiveRoots.end(), root) != hiveRoots.end())
            continue;
        hiveRoots.push_back(root);
        batches.push_back(std::make_unique<RegistryBatch>(root));
        Check(batches.back()->Begin());
    }
    for (const ImportStep& step : steps) {
        if (const LONG result = Apply(step); result != ERROR_SUCCESS)
            throw CommandError(file + ", line " + std::to_string(step.line) + ": " +
                               ResultMessage(result));
    }
    for (const std::unique_ptr<RegistryBatch>& batch : batches)
        Check(batch->Commit());
    context.out << kCompleted;
}

} // namespace horvane::reg
