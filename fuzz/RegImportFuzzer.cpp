// horvane-reg import of any file, on hives of its own emptied for each input: a refused
// file changes nothing, and what an accepted file stored exports and imports again to the
// same text.

#include "fuzz/FuzzSupport.h"
#include "fuzz/SqliteMemoryPool.h"
#include "platform/WholeFileRead.h"
#include "platform/registry/RegistryApi.h"
#include "tools/reg/RegCommand.h"

#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sstream>
#include <unistd.h>

using namespace horvane;
using horvane::fuzz::Require;

namespace {

namespace fs = std::filesystem;

constexpr const char* kSentinelKey = "Software\\Sentinel";

struct Outcome {
    int status = 0;
    std::string out;
    std::string err;
};

Outcome Run(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status =
        reg::RunRegCommand(arguments, out, err, [](const std::string&) { return false; });
    return {status, out.str(), err.str()};
}

bool HoldsAnything(HKEY root) {
    DWORD subKeys = 0, values = 0;
    Require(RegQueryInfoKeyA(root, nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values,
                             nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS,
            "a hive's root can be asked what it holds");
    return subKeys > 0 || values > 0;
}

// Empties both hives of the run, roots kept: each input starts from empty hives without the
// cost of making new ones. Asking is cheaper than emptying, and few files write to the
// machine's hive.
void EmptyHives() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (HoldsAnything(root))
            Require(RegDeleteTreeA(root, nullptr) == ERROR_SUCCESS, "the hives can be emptied");
    }
}

// The files go through the system's calls: a file stream's set-up took a twentieth of an
// input's time.
void WriteFile(const fs::path& path, const std::string& bytes) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Require(file >= 0 && write(file, bytes.data(), bytes.size()) == ssize_t(bytes.size()),
            "the input's file is written");
    close(file);
}

std::string ReadFile(const fs::path& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    Require(bytes.has_value(), "an exported file can be opened");
    return std::move(*bytes);
}

std::string SentinelText() {
    HKEY key{};
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSentinelKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char text[16] = {};
    DWORD size = sizeof text - 1;
    RegQueryValueExA(key, "keep", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    return text;
}

// The user's whole hive as an export file, or nothing when it has no keys.
std::string ExportUserHive(const fs::path& file) {
    fs::remove(file);
    const Outcome exported = Run({"export", "HKCU\\Software", file.string(), "/y"});
    return exported.status == 0 ? ReadFile(file) : std::string();
}

// Empty hives but for the sentinel, which a refused import must leave as it is; the user's
// hive in one change.
void StartAfresh() {
    RegistryBatch batch(HKEY_CURRENT_USER);
    Require(batch.Begin() == ERROR_SUCCESS, "a batch begins on the user's hive");
    EmptyHives();
    HKEY key{};
    Require(RegCreateKeyExA(HKEY_CURRENT_USER, kSentinelKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) == ERROR_SUCCESS &&
                RegSetValueExA(key, "keep", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2) ==
                    ERROR_SUCCESS,
            "the sentinel is stored");
    RegCloseKey(key);
    Require(batch.Commit() == ERROR_SUCCESS, "the fresh hive is saved");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::Require(fuzz::SqliteMemoryPool::Install(), "SQLite takes its memory from the pool");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path folder = fuzz::RunHives().Folder();
    StartAfresh();

    const fs::path file = folder / "input.reg";
    WriteFile(file, std::string(reinterpret_cast<const char*>(data), size));
    const Outcome imported = Run({"import", file.string()});
    Require(imported.status == 0 || imported.status == 1, "import ends with 0 or 1");
    if (imported.status != 0) {
        Require(imported.err.rfind("ERROR: ", 0) == 0, "a refused import says why");
        if (imported.err.find("Only part of the file") == std::string::npos)
            Require(SentinelText() == "1", "a refused import changes nothing");
        return 0;
    }

    // Export, import that into empty hives, export again: the same text.
    const fs::path first = folder / "first.reg";
    const std::string exported = ExportUserHive(first);
    if (exported.empty())
        return 0;
    EmptyHives();
    const Outcome reimported = Run({"import", first.string()});
    Require(reimported.status == 0, "an exported file imports again");
    const std::string second = ExportUserHive(folder / "second.reg");
    Require(second == exported, "an export re-imported exports the same");
    return 0;
}
