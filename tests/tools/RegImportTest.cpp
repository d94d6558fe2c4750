// horvane-reg import of files that are malformed, hostile or cut off, and of files that
// change both hives.

#include "tests/support/RawRegistry.h"
#include "tests/tools/RegCommandFixture.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace horvane;
using namespace horvane::test_support;
using namespace std::string_literals;

namespace {

constexpr const char* kUnicodeHead = "Windows Registry Editor Version 5.00\r\n\r\n";

struct RefusedFile {
    const char* what;
    std::string text; // after the header; the file is UTF-16 unless narrow
    bool narrow;
    int line;           // the line that the error must name
    const char* reason; // and part of the reason it gives
};

class RegImport : public RegCommand {
protected:
    void SetUp() override {
        WriteRaw(HKEY_CURRENT_USER, "Software\\Precious\\Below", "keep", REG_SZ, TextBytes("1"));
        WriteRaw(HKEY_CURRENT_USER, "Software\\Store", "Location", REG_SZ, TextBytes("Home"));
    }
    std::string WholeUserHive() { return Succeed({"query", "HKCU", "/s"}); }
};

TEST_F(RegImport, RefusesWhatTheFileDoesNotSayNamingTheLineAndChangesNothing) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Store]\r\n";
    const RefusedFile table[] = {
        {"NUL in a deleted key's name", "[-HKEY_CURRENT_USER\\Software\\Precious\0Junk]\r\n"s,
         false, 3, "NUL character"},
        {"NUL in a key's name", "[HKEY_CURRENT_USER\\Software\\Precious\0J]\r\n"s, false, 3,
         "NUL character"},
        {"NUL in a value's name", key + "\"Location\0x\"=\"evil\"\r\n"s, false, 4, "NUL character"},
        {"a deleting key line ending in a backslash",
         "[-HKEY_CURRENT_USER\\Software\\Precious]\\\r\n", false, 3, "must end with ]"},
        {"a key line joined to the next",
         key + "\"a\"=\"1\"\r\n[HKCU\\Software\\A]\\\r\n[HKCU\\Software\\B]\r\n", false, 5,
         "must end with ]"},
        {"a cut-off byte", key + "\"b\"=hex:01,0\r\n", false, 4, "\"0\" is not a hexadecimal byte"},
        {"one-digit bytes", key + "\"b\"=hex:1,2,f\r\n", false, 4, "\"1\" is not a hexadecimal"},
        {"a three-digit byte", key + "\"b\"=hex:100,02\r\n", false, 4, "\"100\" is not a"},
        {"a cut-off byte on a continued line", key + "\"b\"=hex:01,\\\r\n  2\r\n", false, 4,
         "\"2\" is not a hexadecimal byte"},
        {"Big5 in a narrow string", key + "\"Location\"=\"\xA5\x78\xA5\x5F\"\r\n", true, 4,
         "not UTF-8"},
        {"Big5 in a narrow hex(1)", key + "\"Location\"=hex(1):a5,78,00\r\n", true, 4, "not UTF-8"},
        {"Latin-1 in a narrow hex(7)", key + "\"m\"=hex(7):e9,00,00\r\n", true, 4, "not UTF-8"},
    };
    const std::string before = WholeUserHive();
    const std::string file = File("hostile.reg");
    for (const RefusedFile& row : table) {
        WriteFileBytes(file, row.narrow ? "REGEDIT4\r\n\r\n" + row.text
                                        : Utf16File(kUnicodeHead + row.text));
        const CommandResult result = Run({"import", file});
        EXPECT_EQ(result.status, 1) << row.what;
        EXPECT_EQ(
            result.err.rfind("ERROR: " + file + ", line " + std::to_string(row.line) + ": ", 0), 0u)
            << row.what << ": " << result.err;
        EXPECT_NE(result.err.find(row.reason), std::string::npos) << row.what << ": " << result.err;
        EXPECT_EQ(WholeUserHive(), before) << row.what;
    }
}

TEST_F(RegImport, AFinalBackslashContinuesAHexListButNotACommentOrAKeyLine) {
    const std::string file = File("comments.reg");
    WriteFileBytes(file, Utf16File(std::string(kUnicodeHead) +
                                   "[HKCU\\Software\\A]\r\n; ends in a backslash \\\r\n"
                                   "[HKCU\\Software\\B]\r\n\"v\"=hex:01,\\\r\n  02,\\\r\n\t03\r\n"
                                   ";\\\r\n\"w\"=\"2\"\r\n"));
    Succeed({"import", file});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\B", "v").data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\B", "w").data, TextBytes("2"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\A", "v").result, ERROR_FILE_NOT_FOUND);
}

// Runs the import in a child process whose files may not grow past the limit, as on a
// nearly full disk, and answers its result.
CommandResult ImportWithFileSizeLimit(const std::string& file, rlim_t limitBytes) {
    // The child opens the hives afresh: an SQLite connection must not cross a fork.
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {-1, "", "no pipe"};
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::ostringstream out, err;
        const int status = reg::RunRegCommand({"import", file}, out, err,
                                              [](const std::string&) { return false; });
        const std::string text = err.str();
        [[maybe_unused]] const ssize_t written = write(pipeEnds[1], text.data(), text.size());
        _exit(status);
    }
    close(pipeEnds[1]);
    std::string err;
    char buffer[4096];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, std::size_t(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", err};
}

rlim_t LargestHiveFile(const TemporaryHives& hives) {
    std::uintmax_t largest = 0;
    for (const std::filesystem::path& hive : {hives.UserHive(), hives.MachineHive()}) {
        for (const auto& entry : std::filesystem::directory_iterator(hive.parent_path()))
            largest = std::max(largest, entry.file_size());
    }
    return rlim_t(largest);
}

struct TwoHiveCase {
    std::string file;        // after the header
    std::string expectedEnd; // of the error message
    const char* location;    // what the user's hive then holds
};

// The user's hive commits first: a machine hive that cannot grow leaves the user's part
// landed, and a user's hive that cannot grow leaves nothing landed.
TEST_F(RegImport, AFileForBothHivesLandsWholeOrSaysExactlyWhichPartLanded) {
    // Far larger than the limit below: the hive that takes it cannot grow to hold it.
    const std::string big = "\"Blob\"=\"" + std::string(512 * 1024, 'x') + "\"\r\n";
    const std::string machine = "[HKEY_LOCAL_MACHINE\\Software\\Big]\r\n\"New\"=\"1\"\r\n";
    const std::string user = "[HKEY_CURRENT_USER\\Software\\Store]\r\n\"Location\"=\"Away\"\r\n";
    const TwoHiveCase table[] = {
        {machine + big + user,
         " Only part of the file was imported: HKEY_CURRENT_USER (lines 6-7) landed; "
         "HKEY_LOCAL_MACHINE (lines 3-5) did not.\n",
         "Away"},
        {machine + user + big, " Nothing was imported.\n", "Home"},
    };
    WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old", REG_SZ, TextBytes("kept"));
    const std::string file = File("both.reg");
    for (const TwoHiveCase& row : table) {
        WriteFileBytes(file, "REGEDIT4\r\n\r\n" + row.file);
        const CommandResult result = ImportWithFileSizeLimit(file, LargestHiveFile(hives_) + 65536);
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.err.rfind("ERROR: " + file + ": the changes could not be saved: ", 0), 0u)
            << result.err;
        ASSERT_GE(result.err.size(), row.expectedEnd.size());
        EXPECT_EQ(result.err.substr(result.err.size() - row.expectedEnd.size()), row.expectedEnd);
        EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Store", "Location").data,
                  TextBytes(row.location));
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").result, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old").data, TextBytes("kept"));
        WriteRaw(HKEY_CURRENT_USER, "Software\\Store", "Location", REG_SZ, TextBytes("Home"));
    }
    Succeed({"import", file}); // with room to grow, all of it lands
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").data, TextBytes("1"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Store", "Blob").data.size(), 512u * 1024 + 1);
}

} // namespace
