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
};

TEST_F(RegImport, ImportsNarrowFilesDeletionsAndContinuedHexLists) {
    Put("Software\\Old\\Child", "x", "1");
    Put("Software\\Keep", "gone", "1");
    const std::string file = File("narrow.reg");
    WriteFileBytes(file, "REGEDIT4\n\n; a comment\n[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
                         "[HKCU\\Software\\Keep]\n\"gone\"=-\n\"path\"=hex(2):25,41,25,00\n"
                         "\"bytes\"=hex:01,\\\n  02,03\n@=\"México\"\n");
    Succeed({"import", file});
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"),
              (std::vector<std::string>{"Keep", "Precious", "Store"}));
    EXPECT_EQ(Value("Software\\Keep", "gone").result, ERROR_FILE_NOT_FOUND);
    const RawValue path = Value("Software\\Keep", "path");
    EXPECT_EQ(std::make_pair(path.type, path.data),
              std::make_pair(DWORD(REG_EXPAND_SZ), TextBytes("%A%")));
    EXPECT_EQ(Value("Software\\Keep", "bytes").data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(Value("Software\\Keep", "").data, TextBytes("México"));
}

TEST_F(RegImport, AFinalBackslashContinuesAHexListButNotACommentOrAKeyLine) {
    const std::string file = File("comments.reg");
    WriteFileBytes(file, Utf16File(kUnicodeHead +
                                   "[HKCU\\Software\\A]\r\n; ends in a backslash \\\r\n"
                                   "[HKCU\\Software\\B]\r\n\"v\"=hex:01,\\\r\n  02,\\\r\n\t03\r\n"
                                   ";\\\r\n\"w\"=\"2\"\r\n"s));
    Succeed({"import", file});
    EXPECT_EQ(Value("Software\\B", "v").data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(Value("Software\\B", "w").data, TextBytes("2"));
    EXPECT_EQ(Value("Software\\A", "v").result, ERROR_FILE_NOT_FOUND);
}

// Each file that sets a value before the line at fault: nothing of it may land.
TEST_F(RegImport, RefusesWhatTheFileDoesNotSayNamingTheLineAndChangesNothing) {
    const std::string key = "[HKEY_CURRENT_USER\\Software\\Store]\r\n";
    const std::string set = key + "\"Location\"=\"Elsewhere\"\r\n"; // lines 3 and 4
    const struct {
        const char* what;
        const char* head;   // the file's first lines; kUnicodeHead makes it UTF-16
        std::string text;   // after the head
        int line;           // the line that the error must name
        const char* reason; // and part of the reason it gives
    } table[] = {
        {"NUL in a deleted key's name", kNarrowHead,
         "[-HKEY_CURRENT_USER\\Software\\Precious\0Junk]\r\n"s, 3, "NUL character"},
        {"NUL in a key's name", kNarrowHead, "[HKEY_CURRENT_USER\\Software\\Precious\0J]\r\n"s, 3,
         "NUL character"},
        {"NUL in a value's name", kNarrowHead, key + "\"Location\0x\"=\"evil\"\r\n"s, 4,
         "NUL character"},
        {"a deleting key line ending in a backslash", kNarrowHead,
         "[-HKEY_CURRENT_USER\\Software\\Precious]\\\r\n", 3, "must end with ]"},
        {"a key line joined to the next", kNarrowHead,
         key + "\"a\"=\"1\"\r\n[HKCU\\Software\\A]\\\r\n[HKCU\\Software\\B]\r\n", 5,
         "must end with ]"},
        {"a cut-off byte", kNarrowHead, key + "\"b\"=hex:01,0\r\n", 4,
         "\"0\" is not a hexadecimal byte"},
        {"one-digit bytes", kNarrowHead, key + "\"b\"=hex:1,2,f\r\n", 4,
         "\"1\" is not a hexadecimal"},
        {"a three-digit byte", kNarrowHead, key + "\"b\"=hex:100,02\r\n", 4, "\"100\" is not a"},
        {"a cut-off byte on a continued line", kNarrowHead, key + "\"b\"=hex:01,\\\r\n  2\r\n", 4,
         "\"2\" is not a hexadecimal byte"},
        {"Big5 in a narrow string", kNarrowHead, key + "\"Location\"=\"\xA5\x78\xA5\x5F\"\r\n", 4,
         "not UTF-8"},
        {"Big5 in a narrow hex(1)", kNarrowHead, key + "\"Location\"=hex(1):a5,78,00\r\n", 4,
         "not UTF-8"},
        {"Latin-1 in a narrow hex(7)", kNarrowHead, key + "\"m\"=hex(7):e9,00,00\r\n", 4,
         "not UTF-8"},
        {"no header", "", "[HKCU\\Software\\X]\n\"v\"=\"1\"\n", 1, ""},
        {"a bad hex byte", kUnicodeHead, set + "\"b\"=hex:01,2g\r\n", 5, ""},
        {"a dword of nine digits", kUnicodeHead, set + "\"d\"=dword:123456789\r\n", 5, ""},
        {"an open string", kUnicodeHead, set + "\"s\"=\"open\r\n", 5, ""},
        {"an unknown escape", kUnicodeHead, set + "\"s\"=\"a\\n\"\r\n", 5, ""},
        {"an unquoted string", kUnicodeHead, set + "\"s\"=text\r\n", 5, ""},
        {"no equals sign", kUnicodeHead, set + "\"s\" \"x\"\r\n", 5, ""},
        {"another root", kUnicodeHead, set + "\r\n[HKEY_USERS\\x]\r\n", 6, ""},
        {"an open key line", kUnicodeHead, set + "[HKCU\\Software\r\n", 5, ""},
        {"odd UTF-16", kUnicodeHead, set + "\"m\"=hex(7):61,00,62\r\n", 5, ""},
        {"a value after a deleted key", kUnicodeHead,
         set + "[-HKCU\\Software\\X]\r\n\"v\"=\"1\"\r\n", 6, ""},
        {"a bad byte on a continued line", kUnicodeHead, set + "\"b\"=hex:01,\\\r\n  zz\r\n", 5,
         ""},
    };
    const std::string before = WholeUserHive();
    const std::string file = File("hostile.reg");
    for (const auto& row : table) {
        const std::string text = row.head + row.text;
        WriteFileBytes(file, row.head == kUnicodeHead ? Utf16File(text) : text);
        const CommandResult result = Run({"import", file});
        EXPECT_EQ(result.status, 1) << row.what;
        EXPECT_EQ(
            result.err.rfind("ERROR: " + file + ", line " + std::to_string(row.line) + ": ", 0), 0u)
            << row.what << ": " << result.err;
        EXPECT_NE(result.err.find(row.reason), std::string::npos) << row.what << ": " << result.err;
        EXPECT_EQ(WholeUserHive(), before) << row.what;
    }
}

// Runs the import in a child process whose files may not grow past the limit, as on a
// nearly full disk, and answers its result.
CommandResult ImportWithFileSizeLimit(const std::string& file, rlim_t limitBytes,
                                      const std::string& errors) {
    const int status = ExitStatus(StartChild([&] {
        signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
        const rlimit limit{limitBytes, limitBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        std::ostringstream out, err;
        const int result = reg::RunRegCommand({"import", file}, out, err,
                                              [](const std::string&) { return false; });
        WriteFileBytes(errors, err.str()); // far below the limit
        return result;
    }));
    return {status, "", ReadFileBytes(errors)};
}

rlim_t LargestHiveFile(const TemporaryHives& hives) {
    std::uintmax_t largest = 0;
    for (const std::filesystem::path& hive : {hives.UserHive(), hives.MachineHive()})
        for (const auto& entry : std::filesystem::directory_iterator(hive.parent_path()))
            largest = std::max(largest, entry.file_size());
    return rlim_t(largest);
}

// The user's hive commits first: a machine hive that cannot grow leaves the user's part
// landed, and a user's hive that cannot grow leaves nothing landed.
TEST_F(RegImport, AFileForBothHivesLandsWholeOrSaysExactlyWhichPartLanded) {
    // Far larger than the limit below: the hive that takes it cannot grow to hold it.
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
        const CommandResult result =
            ImportWithFileSizeLimit(file, LargestHiveFile(hives_) + 65536, File("errors"));
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_EQ(result.err.rfind("ERROR: " + file + ": the changes could not be saved: ", 0), 0u)
            << result.err;
        ASSERT_GE(result.err.size(), row.expectedEnd.size());
        EXPECT_EQ(result.err.substr(result.err.size() - row.expectedEnd.size()), row.expectedEnd);
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
