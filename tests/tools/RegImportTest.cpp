// horvane-reg import: what files say and how they are continued, files that are malformed,
// hostile or cut off, and files that change both hives.

#include "tests/support/ChildProcess.h"
#include "tests/tools/RegCommandFixture.h"

#include <csignal>
#include <sys/resource.h>

using namespace horvane;
using namespace horvane::test_support;
using namespace std::string_literals;

namespace {

constexpr const char* kUnicodeHead = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr const char* kNarrowHead = "REGEDIT4\r\n\r\n";

class RegImport : public RegCommand {
protected:
    void SetUp() override {
        Put("Software\\Precious\\Below", "keep", "1");
        Put("Software\\Store", "Location", "Home");
    }
    std::string WholeUserHive() { return Succeed({"query", "HKCU", "/s"}); }
    // Writes the file, in UTF-16 when it has the Unicode header, and imports it.
    CommandResult Import(const std::string& head, const std::string& text) {
        const std::string file = File("import.reg");
        WriteFileBytes(file,
                       head == kUnicodeHead ? reg::UnicodeFileBytes(head + text) : head + text);
        return Run({"import", file});
    }
};

// A final backslash continues a hex list only, never a comment or a key line.
TEST_F(RegImport, ImportsKeysValuesDeletionsAndContinuedHexLists) {
    Put("Software\\Old\\Child", "x", "1");
    Put("Software\\Keep", "gone", "1");
    EXPECT_EQ(Import("REGEDIT4\n\n",
                     "; a comment\n[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
                     "[HKCU\\Software\\Keep]\n\"gone\"=-\n\"path\"=hex(2):25,41,25,00\n"
                     "\"bytes\"=hex:01,\\\n  02,03\n@=\"México\"\n")
                  .err,
              "");
    EXPECT_EQ(Import(kUnicodeHead, "[HKCU\\Software\\A]\r\n; ends in a backslash \\\r\n"
                                   "[HKCU\\Software\\B]\r\n\"v\"=hex:01,\\\r\n  02,\\\r\n\t03\r\n"
                                   ";\\\r\n\"w\"=\"2\"\r\n")
                  .err,
              "");
    const std::string top = "\nHKEY_CURRENT_USER\\Software";
    EXPECT_EQ(Succeed({"query", "HKCU\\Software", "/s"}),
              top + "\n" + top + "\\A\n" + top + "\\B\n    v    REG_BINARY    010203\n" +
                  "    w    REG_SZ    2\n" + top + "\\Keep\n    path    REG_EXPAND_SZ    %A%\n" +
                  "    bytes    REG_BINARY    010203\n    (Default)    REG_SZ    México\n" + top +
                  "\\Precious\n" + top + "\\Precious\\Below\n    keep    REG_SZ    1\n" + top +
                  "\\Store\n    Location    REG_SZ    Home\n");
    EXPECT_EQ(Value("Software\\Keep", "path").data, (std::vector<BYTE>{0x25, 0x41, 0x25, 0}));
}

// Each file that sets a value before the line at fault: nothing of it may land.
TEST_F(RegImport, RefusesWhatTheFileDoesNotSayNamingTheLineAndChangesNothing) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Store]\r\n";
    const std::string set = key + "\"Location\"=\"Elsewhere\"\r\n"; // lines 3 and 4
    const struct {
        const char* head;   // the file's first lines; kUnicodeHead makes it UTF-16
        std::string text;   // after the head
        int line;           // the line that the error must name
        const char* reason; // and part of the reason it gives
    } table[] = {
        {kNarrowHead, "[-HKEY_CURRENT_USER\\Software\\Precious\0Junk]\r\n"s, 3, "NUL character"},
        {kNarrowHead, key + "\"Location\0x\"=\"evil\"\r\n"s, 4, "NUL character"},
        {kNarrowHead, "[-HKEY_CURRENT_USER\\Software\\Precious]\\\r\n", 3, "must end with ]"},
        {kNarrowHead, key + "\"a\"=\"1\"\r\n[HKCU\\Software\\A]\\\r\n[HKCU\\Software\\B]\r\n", 5,
         "must end with ]"},
        {kNarrowHead, key + "\"b\"=hex:01,0\r\n", 4, "\"0\" is not a hexadecimal byte"},
        {kNarrowHead, key + "\"b\"=hex:100,02\r\n", 4, "\"100\" is not a hexadecimal byte"},
        {kNarrowHead, key + "\"b\"=hex:01,\\\r\n  2\r\n", 4, "\"2\" is not a hexadecimal byte"},
        {kNarrowHead, key + "\"Location\"=\"\xA5\x78\xA5\x5F\"\r\n", 4, "not UTF-8"}, // Big5
        {kNarrowHead, key + "\"Location\"=hex(1):a5,78,00\r\n", 4, "not UTF-8"},
        {"", "[HKCU\\Software\\X]\n\"v\"=\"1\"\n", 1, "the first line must be"},
        {kUnicodeHead, set + "\"d\"=dword:123456789\r\n", 5, ""},
        {kUnicodeHead, set + "\"s\"=\"open\r\n", 5, ""},
        {kUnicodeHead, set + "\"s\"=\"a\\n\"\r\n", 5, ""},
        {kUnicodeHead, set + "\"s\"=text\r\n", 5, ""},
        {kUnicodeHead, set + "\"s\" \"x\"\r\n", 5, ""},
        {kUnicodeHead, set + "\r\n[HKEY_USERS\\x]\r\n", 6, ""},
        {kUnicodeHead, set + "[HKCU\\Software\r\n", 5, ""},
        {kUnicodeHead, set + "\"m\"=hex(7):61,00,62\r\n", 5, ""}, // odd UTF-16
        {kUnicodeHead, set + "[-HKCU\\Software\\X]\r\n\"v\"=\"1\"\r\n", 6, ""},
        {kUnicodeHead, set + "\"b\"=hex:01,\\\r\n  zz\r\n", 5, ""},
    };
    const std::string before = WholeUserHive();
    for (const auto& row : table) {
        const CommandResult result = Import(row.head, row.text);
        const std::string start =
            "ERROR: " + File("import.reg") + ", line " + std::to_string(row.line) + ": ";
        EXPECT_EQ(result.status, 1) << row.text;
        EXPECT_TRUE(result.err.starts_with(start) &&
                    result.err.find(row.reason) != std::string::npos)
            << row.text << ": " << result.err;
        EXPECT_EQ(WholeUserHive(), before) << row.text;
    }
}

// Imports the file in a child process whose files may not grow past the hives' largest file
// by more than 64 KiB, as on a nearly full disk, and answers its result.
CommandResult ImportOnAFullDisk(const TemporaryHives& hives, const std::string& file) {
    std::uintmax_t largest = 0;
    for (const std::filesystem::path& hive : {hives.UserHive(), hives.MachineHive()})
        for (const auto& entry : std::filesystem::directory_iterator(hive.parent_path()))
            largest = std::max(largest, entry.file_size());
    const std::string errors = file + ".errors";
    const int status = ExitStatus(StartChild([&] {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit limit{largest + 65536, largest + 65536};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::ostringstream out, err;
        const int result = reg::RunRegCommand({"import", file}, out, err,
                                              [](const std::string&) { return false; });
        WriteFileBytes(errors, err.str()); // far below the limit
        return result;
    }));
    return {status, "", ReadFileBytes(errors)};
}

// The user's hive commits first: a machine hive that cannot grow leaves the user's part
// landed, and a user's hive that cannot grow leaves nothing landed.
TEST_F(RegImport, AFileForBothHivesLandsWholeOrSaysExactlyWhichPartLanded) {
    // Far larger than the limit: the hive that takes it cannot grow to hold it.
    const std::string big = "\"Blob\"=\"" + std::string(512 * 1024, 'x') + "\"\r\n";
    const std::string machine = "[HKEY_LOCAL_MACHINE\\Software\\Big]\r\n\"New\"=\"1\"\r\n";
    const std::string user = "[HKEY_CURRENT_USER\\Software\\Store]\r\n\"Location\"=\"Away\"\r\n";
    const struct {
        std::string file;        // after the header
        std::string expectedEnd; // of the error message
        const char* location;    // what the user's hive then holds
    } table[] = {
        {machine + big + user,
         " Only part of the file was imported: HKEY_CURRENT_USER (lines 6-7) landed; "
         "HKEY_LOCAL_MACHINE (lines 3-5) did not.\n",
         "Away"},
        {machine + user + big, " Nothing was imported.\n", "Home"},
    };
    WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old", REG_SZ, TextBytes("kept"));
    const std::string file = File("both.reg");
    for (const auto& row : table) {
        WriteFileBytes(file, kNarrowHead + row.file);
        const CommandResult result = ImportOnAFullDisk(hives_, file);
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_TRUE(
            result.err.starts_with("ERROR: " + file + ": the changes could not be saved: ") &&
            result.err.ends_with(row.expectedEnd))
            << result.err;
        EXPECT_EQ(Value("Software\\Store", "Location").data, TextBytes(row.location));
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").result, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old").data, TextBytes("kept"));
        Put("Software\\Store", "Location", "Home");
    }
    Succeed({"import", file}); // with room to grow, all of it lands
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").data, TextBytes("1"));
    EXPECT_EQ(Value("Software\\Store", "Blob").data.size(), 512u * 1024 + 1);
}

} // namespace
