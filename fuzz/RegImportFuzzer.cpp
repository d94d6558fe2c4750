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

// Every input starts with this key and its one value, which a refused import must leave
// as they are.
constexpr std::string_view kSentinelKey = "Software\\Sentinel";
constexpr const char* kSentinelValue = "keep";
constexpr std::string_view kSentinelText = "1";

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

struct Holding {
    DWORD subKeys = 0;
    DWORD values = 0;
    bool operator==(const Holding&) const = default;
};

Holding Held(HKEY key) {
    Holding held;
    Require(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &held.subKeys, nullptr, nullptr,
                             &held.values, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS,
            "a key can be asked what it holds");
    return held;
}

// Empties both hives of the run, roots kept: each input starts from empty hives without the
// cost of making new ones. Asking is cheaper than emptying, and few files write to the
// machine's hive.
void EmptyHives() {
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        if (Held(root) != Holding{})
            Require(RegDeleteTreeA(root, nullptr) == ERROR_SUCCESS, "the hives can be emptied");
    }
}

// The files go through the system's calls: a file stream's set-up took a twentieth of an
// input's time.
void WriteFile(const fs::path& path, const std::uint8_t* data, std::size_t size) {
    const int file = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    Require(file >= 0 && write(file, data, size) == ssize_t(size), "the input's file is written");
    close(file);
}

std::string ReadFile(const fs::path& path) {
    std::optional<std::string> bytes = ReadWholeFile(path);
    Require(bytes.has_value(), "an exported file can be opened");
    return std::move(*bytes);
}

// The sentinel's text, when it is a string.
std::string SentinelText(HKEY key) {
    char text[16] = {};
    DWORD type = 0, size = sizeof text - 1;
    if (RegQueryValueExA(key, kSentinelValue, nullptr, &type, reinterpret_cast<BYTE*>(text),
                         &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    return text;
}

// Whether the hives hold exactly what StartAfresh leaves in them: each key on the way to
// the sentinel's holds only the next, and the sentinel's key only its value.
bool AsLeftAfresh() {
    if (Held(HKEY_LOCAL_MACHINE) != Holding{})
        return false;
    HKEY key = HKEY_CURRENT_USER;
    for (std::string_view rest = kSentinelKey; !rest.empty();) {
        const std::size_t end = std::min(rest.find('\\'), rest.size());
        const std::string child(rest.substr(0, end));
        rest.remove_prefix(std::min(end + 1, rest.size()));
        HKEY next{};
        const bool onlyChild =
            Held(key) == Holding{1, 0} &&
            RegOpenKeyExA(key, child.c_str(), 0, KEY_READ, &next) == ERROR_SUCCESS;
        if (key != HKEY_CURRENT_USER)
            RegCloseKey(key);
        if (!onlyChild)
            return false;
        key = next;
    }
    const bool fresh = Held(key) == Holding{0, 1} && SentinelText(key) == kSentinelText;
    RegCloseKey(key);
    return fresh;
}

// The files of the run and the commands on them, made once: paths and argument lists
// are a good part of an input's allocations.
struct RunFiles {
    fs::path input, first, second;
    std::vector<std::string> importInput, exportFirst, importFirst, exportSecond;
};

const RunFiles& Files() {
    static const RunFiles files = [] {
        const fs::path folder = fuzz::RunHives().Folder();
        RunFiles made;
        made.input = folder / "input.reg";
        made.first = folder / "first.reg";
        made.second = folder / "second.reg";
        made.importInput = {"import", made.input.string()};
        made.exportFirst = {"export", "HKCU\\Software", made.first.string(), "/y"};
        made.importFirst = {"import", made.first.string()};
        made.exportSecond = {"export", "HKCU\\Software", made.second.string(), "/y"};
        return made;
    }();
    return files;
}

// The user's whole hive as an export file, or nothing when it has no keys.
std::string ExportUserHive(const fs::path& file, const std::vector<std::string>& exportIt) {
    unlink(file.c_str());
    const Outcome exported = Run(exportIt);
    return exported.status == 0 ? ReadFile(file) : std::string();
}

// Empty hives but for the sentinel, which a refused import must leave as it is; the user's
// hive in one change.
void StartAfresh() {
    RegistryBatch batch(HKEY_CURRENT_USER);
    Require(batch.Begin() == ERROR_SUCCESS, "a batch begins on the user's hive");
    EmptyHives();
    HKEY key{};
    Require(RegCreateKeyExA(HKEY_CURRENT_USER, std::string(kSentinelKey).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS &&
                RegSetValueExA(key, kSentinelValue, 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(kSentinelText.data()),
                               DWORD(kSentinelText.size() + 1)) ==
                    ERROR_SUCCESS, // with its final zero
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
    // Most files are refused, and a refused file must leave the hives as they were: after
    // one, the next input starts from them as they are.
    static bool fresh = false;
    const RunFiles& files = Files();
    if (!fresh)
        StartAfresh();
    fresh = false;

    WriteFile(files.input, data, size);
    const Outcome imported = Run(files.importInput);
    Require(imported.status == 0 || imported.status == 1, "import ends with 0 or 1");
    if (imported.status != 0) {
        Require(imported.err.rfind("ERROR: ", 0) == 0, "a refused import says why");
        if (imported.err.find("Only part of the file") == std::string::npos) {
            fresh = AsLeftAfresh();
            Require(fresh, "a refused import changes nothing");
        }
        return 0;
    }

    // Export, import that into empty hives, export again: the same text.
    const std::string exported = ExportUserHive(files.first, files.exportFirst);
    if (exported.empty())
        return 0;
    EmptyHives();
    const Outcome reimported = Run(files.importFirst);
    Require(reimported.status == 0, "an exported file imports again");
    const std::string second = ExportUserHive(files.second, files.exportSecond);
    Require(second == exported, "an export re-imported exports the same");
    return 0;
}
