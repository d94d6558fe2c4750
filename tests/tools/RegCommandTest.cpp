// horvane-reg on temporary hives: query, add and delete; export, its file and its text, and
// an export carried back by an import.

#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "tests/tools/RegCommandFixture.h"
#include "tools/reg/TextEncoding.h"

#include <cstdlib>
#include <numeric>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using namespace std::string_literals;
using Bytes = std::vector<BYTE>;
using Names = std::vector<std::string>;

namespace {

constexpr const char* kTop = "\nHKEY_CURRENT_USER\\Software\\Test";

TEST_F(RegCommand, AddStoresTheTypeAndBytesGivenAndQueryShowsEachTypeInItsOwnForm) {
    const struct {
        std::string type, data; // as add is given them; no type: stored directly
        DWORD storedType;
        Bytes stored;
        std::string shown; // TYPE    DATA, as query shows it
    } table[] = {
        {"REG_SZ", "a%b%c", REG_SZ, TextBytes("a%b%c"), "REG_SZ    a%b%c"},
        {"reg_expand_sz", "%HOME%", REG_EXPAND_SZ, TextBytes("%HOME%"), "REG_EXPAND_SZ    %HOME%"},
        {"REG_MULTI_SZ", "a\\0b", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "REG_MULTI_SZ    a\\0b"},
        {"REG_DWORD", "4294967295", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "REG_DWORD    0xffffffff"},
        {"REG_DWORD", "0x2A", REG_DWORD, {0x2A, 0, 0, 0}, "REG_DWORD    0x2a"},
        {"REG_BINARY", "00ab10", REG_BINARY, {0x00, 0xAB, 0x10}, "REG_BINARY    00AB10"},
        {"REG_BINARY", "", REG_BINARY, {}, "REG_BINARY    "},
        {"", "", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 1}, "REG_QWORD    0x100000000000001"},
        {"", "", 0x20, {7}, "0x20    07"}};
    for (const auto& row : table) {
        if (row.type.empty())
            WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "V", row.storedType, row.stored);
        else
            Succeed({"add", kKey, "/v", "V", "/t", row.type, "/d", row.data, "/f"});
        const RawValue value = Value("Software\\Test", "V");
        EXPECT_EQ(std::make_pair(value.type, value.data),
                  std::make_pair(row.storedType, row.stored))
            << row.shown;
        EXPECT_EQ(Succeed({"query", kKey, "/v", "v"}), kTop + "\n    V    "s + row.shown + "\n");
    }
}

TEST_F(RegCommand, QueryListsValuesThenSubKeysOrRecurses) {
    Put("Software\\Test", "", "top");
    Put("Software\\Test\\B", "x", "1");
    Put("Software\\Test\\a", "x", "2");
    const std::string a = kTop + "\\a\n    x    REG_SZ    2\n"s;
    const std::string b = kTop + "\\B\n    x    REG_SZ    1\n"s;
    EXPECT_EQ(Succeed({"query", "hkey_current_user\\SOFTWARE\\test"}),
              kTop + "\n    (Default)    REG_SZ    top\n\n"s + (kTop + 1) + "\\a\n" + (kTop + 1) +
                  "\\B\n");
    EXPECT_EQ(Succeed({"query", kKey + "\\a"s}), a);
    EXPECT_EQ(Succeed({"query", kKey, "/s"}), kTop + "\n    (Default)    REG_SZ    top\n"s + a + b);
    EXPECT_EQ(Succeed({"query", kKey, "/v", "X", "/s"}),
              a + b + "\nEnd of search: 2 match(es) found.\n");
}

// Each refusal is one "ERROR: " line (the exact one where given), and no hive is made.
TEST_F(RegCommand, RefusesBadDataAndUnknownSwitchesWithAnErrorLine) {
    const std::string multi = "ERROR: Invalid data for REG_MULTI_SZ: ";
    const std::string empty = " (a multi-string cannot hold an empty string)\n";
    const std::pair<std::vector<std::string>, std::string> table[] = {
        {{"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "4294967296"}, ""},
        {{"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "-1"}, ""},
        {{"add", kKey, "/v", "V", "/t", "REG_BINARY", "/d", "abc"}, ""},
        {{"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b"},
         multi + "a\\0\\0b" + empty},
        {{"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "\\0a"}, multi + "\\0a" + empty},
        {{"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "a\\0"}, multi + "a\\0" + empty},
        {{"add", kKey, "/t", "REG_LINK"}, ""},
        {{"add", "HKXX\\Software"}, ""},
        {{"add", "HKCU\\a\\\\b"}, ""},
        {{"query", kKey, "/f"}, ""},
        {{"query"}, ""},
        {{"frobnicate", kKey}, ""},
        {{}, ""}};
    for (const auto& [arguments, error] : table) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 1) << result.err;
        EXPECT_TRUE(result.err.starts_with("ERROR: ")) << result.err;
        EXPECT_TRUE(error.empty() || result.err == error) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

TEST_F(RegCommand, AsksBeforeOverwritingOrDeletingUnlessForced) {
    Succeed({"add", kKey, "/v", "V", "/d", "first"});
    EXPECT_EQ(Run({"add", kKey, "/v", "V", "/d", "second"}).status, 1);
    EXPECT_EQ(questions_, std::vector<std::string>{"Value V exists, overwrite(Yes/No)? "});
    EXPECT_EQ(Value("Software\\Test", "V").data, TextBytes("first"));
    Succeed({"add", kKey, "/v", "V", "/d", "forced", "/f"});
    answer_ = true;
    Succeed({"add", kKey, "/v", "V", "/d", "confirmed"});
    EXPECT_EQ(Value("Software\\Test", "V").data, TextBytes("confirmed"));

    for (const char* name : {"a", "b", ""})
        Put("Software\\Test", name, name);
    Put("Software\\Test\\Sub", "c", "c");
    answer_ = false;
    EXPECT_EQ(Run({"delete", kKey, "/v", "a"}).status, 1);
    Succeed({"delete", kKey, "/v", "a", "/f"});
    EXPECT_EQ(Run({"delete", kKey, "/v", "a", "/f"}).status, 1); // gone
    Succeed({"delete", kKey, "/ve", "/f"});
    const std::string sub = kTop + "\\Sub\n    c    REG_SZ    c\n"s;
    EXPECT_EQ(Succeed({"query", kKey, "/s"}),
              kTop + "\n    V    REG_SZ    confirmed\n    b    REG_SZ    b\n"s + sub);
    Succeed({"delete", kKey, "/va", "/f"});
    EXPECT_EQ(Succeed({"query", kKey, "/s"}), kTop + "\n"s + sub);
    EXPECT_EQ(Run({"delete", "HKCU", "/f"}).status, 1);
    answer_ = true;
    Succeed({"delete", kKey});
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, "Software").empty());
}

// A hive that cannot serve the call: the message names the file and the cause, and the
// file stays as it was.
TEST_F(RegCommand, AFailureNamesTheHiveFileAndItsCause) {
    const std::filesystem::path hive = hives_.UserHive();
    WriteFileBytes(hive, "not a hive at all");
    const std::string error = "ERROR: " + RegistryResultText(ERROR_REGISTRY_CORRUPT) + " (" +
                              hive.string() + ": file is not a database)\n";
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"query", "HKCU\\Software"},
                                               {"add", kKey, "/v", "a", "/d", "b", "/f"},
                                               {"export", "HKCU\\Software", File("out.reg")}}) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(std::make_pair(result.status, result.err), std::make_pair(1, error));
    }
    EXPECT_EQ(ReadFileBytes(hive), "not a hive at all");
    EXPECT_FALSE(std::filesystem::exists(File("out.reg")));
}

TEST_F(RegCommand, ExportThenImportIntoAnEmptyHiveGivesTheSameQuery) {
    LongLat().LoadSettings();
    const std::string key = "Software\\TallwickSoftware\\Horvane\\Awkward \"keys\" [1]";
    const struct {
        const char* name;
        DWORD type;
        Bytes data;
    } awkward[] = {{"", REG_SZ, TextBytes("default")},
                   {"quote\"and\\slash", REG_SZ, TextBytes("C:\\ \"x\"")},
                   {"empty", REG_SZ, {}},
                   {"unterminated", REG_SZ, {'a', 'b'}},
                   {"not utf-8", REG_SZ, {'a', 0xFF, 0xC3, 0xED, 0xA0, 0x80, 0}},
                   {"lines", REG_SZ, TextBytes("one\r\ntwo")},
                   {"expand", REG_EXPAND_SZ, TextBytes("%HOME%\\México")},
                   {"multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
                   {"dword", REG_DWORD, {1, 2, 3, 4}},
                   {"short dword", REG_DWORD, {1, 2}},
                   {"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
                   {"odd type", 0x12345, {9}},
                   {"long", REG_BINARY, Bytes(300, 0xAB)}};
    for (const auto& value : awkward)
        WriteRaw(HKEY_CURRENT_USER, key, value.name, value.type, value.data);
    WriteRaw(HKEY_CURRENT_USER, key + "\\Empty child", "", REG_NONE, {});
    const std::vector<std::string> queryAll = {"query", "HKCU\\Software", "/s"};
    const std::string before = Succeed(queryAll);
    Succeed({"export", "HKCU\\Software\\TallwickSoftware", File("store.reg")});
    const TemporaryHives empty;
    Succeed({"import", File("store.reg")});
    EXPECT_EQ(Succeed(queryAll), before);
    EXPECT_EQ(Value(key, "not utf-8").data, (Bytes{'a', 0xFF, 0xC3, 0xED, 0xA0, 0x80, 0}));
}

TEST(TextEncoding, RefusesALoneSurrogateThatCarriesNoByte) {
    std::string ignored;
    EXPECT_FALSE(reg::NarrowText(u"\xD800x", ignored));
}

class RegExport : public RegCommand {
protected:
    void SetUp() override {
        Put("Software\\T", "V", "1");
        std::filesystem::create_directory(Out(""));
    }
    // A file in a folder of its own, to see what else an export leaves there.
    std::string Out(const std::string& name) const { return File("out/" + name); }
    Names OutFolder() const { return FolderNames(Out("")); }
};

std::vector<BYTE> Counting(std::size_t count) {
    std::vector<BYTE> bytes(count);
    std::iota(bytes.begin(), bytes.end(), BYTE(0));
    return bytes;
}

TEST_F(RegExport, WritesUtf16WithCrLfAndWrapsLongHexListsBeforeTheEightiethColumn) {
    Put("Software\\W\\Ciudad de México", "Latitude", "19.400N");
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Hand", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Path", REG_EXPAND_SZ, TextBytes("%A%"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Blob", REG_BINARY, Counting(60));
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Edge", REG_BINARY, Counting(23));
    Succeed({"export", "HKCU\\Software\\W", Out("w.reg")});
    EXPECT_EQ(
        ReadFileBytes(Out("w.reg")),
        reg::UnicodeFileBytes(
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\W]\r\n"
            "\"Hand\"=dword:12345678\r\n"
            "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
            "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
            "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\r\n"
            "  2f,30,31,32,33,34,35,36,37,38,39,3a,3b\r\n"
            "\"Edge\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
            "  16\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\W\\Ciudad de México]\r\n"
            "\"Latitude\"=\"19.400N\"\r\n\r\n"));
}

// An existing file is replaced only when confirmed, then whole; what lies at the names an
// export might pick for its temporary file stays as it is.
TEST_F(RegExport, ReplacesTheFileWholeKeepingItsModeAndTouchingNothingBesideIt) {
    const std::string file = Out("t.reg");
    WriteFileBytes(file, "old");
    chmod(file.c_str(), 0604);
    WriteFileBytes(File("victim"), "precious");
    ASSERT_EQ(symlink(File("victim").c_str(), (file + ".partial").c_str()), 0);
    WriteFileBytes(file + ".tmp", "someone's");
    EXPECT_EQ(Run({"export", "HKCU\\Software\\T", file}).status, 1);
    EXPECT_EQ(ReadFileBytes(file), "old");
    Succeed({"export", "HKCU\\Software\\T", file, "/y"});
    EXPECT_EQ(ReadFileBytes(file).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0604));
    EXPECT_EQ(ReadFileBytes(File("victim")), "precious");
    EXPECT_EQ(ReadFileBytes(file + ".tmp"), "someone's");
    EXPECT_EQ(OutFolder(), (Names{"t.reg", "t.reg.partial", "t.reg.tmp"}));
}

TEST_F(RegExport, ANewFileTakesTheUmaskAndItsNameAsTheBytesGivenAndAFailureLeavesNoFile) {
    const mode_t previous = umask(027);
    const std::string file = Out("caf\xE9 \xFF.reg"); // not UTF-8
    Succeed({"export", "HKCU\\Software\\T", file});
    umask(previous);
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms(0640));
    std::filesystem::create_directory(Out("folder.reg"));
    const CommandResult toFolder = Run({"export", "HKCU\\Software\\T", Out("folder.reg"), "/y"});
    EXPECT_EQ(
        std::make_pair(toFolder.status, toFolder.err),
        std::make_pair(1, "ERROR: Cannot write " + Out("folder.reg") + ": Is a directory.\n"));
    EXPECT_EQ(Run({"export", "HKCU\\Software\\Missing", Out("m.reg")}).status, 1);
    EXPECT_EQ(OutFolder(), (Names{"caf\xE9 \xFF.reg", "folder.reg"}));
}

// Runs horvane-reg as its own process on these hives and a stack of 256 KiB; answers its exit
// status and what it printed.
CommandResult RunOnSmallStack(const std::string& folder, const std::string& arguments) {
    const std::string command = "ulimit -s 256 && XDG_CONFIG_HOME=" + folder + "/config " +
                                HORVANE_REG_PATH + " " + arguments + " >" + folder + "/output 2>&1";
    const int status = std::system(("sh -c '" + command + "'").c_str());
    return {WEXITSTATUS(status), ReadFileBytes(folder + "/output"), ""};
}

TEST_F(RegExport, QueryAndExportWalkATreeAThousandKeysDeepOnASmallStack) {
    constexpr int kDepth = 1000;
    std::string path = "Software\\Deep";
    for (int level = 0; level < kDepth; ++level)
        path += "\\k";
    ASSERT_EQ(Put(path, "v", "bottom"), 0);
    const std::string folder = hives_.Folder().string();
    const std::string listing = RunOnSmallStack(folder, "query HKCU\\\\Software\\\\Deep /s").out;
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2 * (kDepth + 1) + 1);
    EXPECT_NE(listing.find("\\k\\k\n    v    REG_SZ    bottom\n"), std::string::npos);
    RunOnSmallStack(folder, "export HKCU\\\\Software\\\\Deep " + folder + "/deep.reg");
    const std::string exported = ReadFileBytes(folder + "/deep.reg");
    EXPECT_EQ(std::count(exported.begin(), exported.end(), '['), kDepth + 1);
    EXPECT_EQ(RunOnSmallStack(folder, "delete HKCU\\\\Software\\\\Deep /f").status, 0);
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, "Software\\Deep").empty());
    const CommandResult missing = RunOnSmallStack(folder, "query HKCU\\\\Software\\\\Deep");
    EXPECT_EQ(std::make_pair(missing.status, missing.out.substr(0, missing.out.find('\n'))),
              std::make_pair(1, std::string("ERROR: The system was unable to find the specified "
                                            "registry key or value.")));
}

} // namespace
