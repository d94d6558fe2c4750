// horvane-reg on temporary hives: query, add and delete; export, its file and its text; import
// of what files say, of files that are malformed, hostile or cut off, and of files that change
// both hives; and an export carried back by an import.

#include "tools/reg/RegCommand.h"
#include "platform/registry/RegistryTypes.h"
#include "settings/LongLat.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tools/reg/RegFileFormat.h"
#include "tools/reg/RegValueText.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using namespace std::string_literals;
using Bytes = std::vector<BYTE>;

namespace {

constexpr const char* kKey = "HKCU\\Software\\Test";

struct CommandResult {
    int status = 0;
    std::string out, err;
};

class RegCommand : public ::testing::Test {
protected:
    CommandResult Run(const std::vector<std::string>& arguments) {
        std::ostringstream out, err;
        const int status = reg::RunRegCommand(arguments, out, err, [this](const std::string& q) {
            questions_.push_back(q);
            return answer_;
        });
        return {status, out.str(), err.str()};
    }

    // Runs a command that must succeed and answers what it printed.
    std::string Succeed(const std::vector<std::string>& arguments) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    std::string File(const std::string& name) const { return (hives_.Folder() / name).string(); }

    // Runs horvane-reg as its own process on these hives and a stack of 256 KiB; answers its
    // exit status and what it printed.
    CommandResult RunOnSmallStack(const std::string& arguments) const {
        const std::string command = "ulimit -s 256 && XDG_CONFIG_HOME=" + File("config") + " " +
                                    HORVANE_REG_PATH + " " + arguments + " >" + File("output") +
                                    " 2>&1";
        const int status = std::system(("sh -c '" + command + "'").c_str());
        return {WEXITSTATUS(status), ReadFileBytes(File("output")), ""};
    }

    // The user's value at path below HKEY_CURRENT_USER, and a text value written there.
    static RawValue Value(const std::string& path, const std::string& name) {
        return ReadRaw(HKEY_CURRENT_USER, path, name);
    }
    static LONG Put(const std::string& path, const std::string& name, const std::string& text) {
        return WriteRaw(HKEY_CURRENT_USER, path, name, REG_SZ, TextBytes(text));
    }

    TemporaryHives hives_;
    bool answer_ = false; // what the user answers when asked
    std::vector<std::string> questions_;
};

constexpr const char* kFull = "HKEY_CURRENT_USER\\Software\\Test";

// The words of a command line, split at blanks; a word's "KEY" stands for kKey.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        words.push_back(word.starts_with("KEY") ? kKey + word.substr(3) : word);
    return words;
}

TEST_F(RegCommand, AddStoresTheTypeAndBytesGivenAndQueryShowsEachTypeInItsOwnForm) {
    // Two values of types add cannot make, written directly.
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "Q", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 1});
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "X", 0x20, {7});
    // add's switches after /v NAME (none: written above), the value's name, its bytes, and
    // TYPE    DATA as query shows it, whose TYPE names the type stored.
    const std::tuple<std::string, std::string, Bytes, std::string> table[] = {
        {"/t REG_SZ /d a%b%c", "V", TextBytes("a%b%c"), "REG_SZ    a%b%c"},
        {"/t reg_expand_sz /d %HOME%", "V", TextBytes("%HOME%"), "REG_EXPAND_SZ    %HOME%"},
        {"/t REG_MULTI_SZ /d a\\0b", "V", {'a', 0, 'b', 0, 0}, "REG_MULTI_SZ    a\\0b"},
        {"/t REG_MULTI_SZ /s # /d a#b\\0",
         "V",
         {'a', 0, 'b', '\\', '0', 0, 0},
         "REG_MULTI_SZ    a\\0b\\0"},
        {"/t REG_DWORD /d 4294967295", "V", Bytes(4, 0xFF), "REG_DWORD    0xffffffff"},
        {"/t REG_DWORD /d 0x2A", "V", {0x2A, 0, 0, 0}, "REG_DWORD    0x2a"},
        {"/t REG_DWORD_LITTLE_ENDIAN /d 7", "V", {7, 0, 0, 0}, "REG_DWORD    0x7"},
        {"/t REG_DWORD_BIG_ENDIAN /d 0x01020304",
         "V",
         {1, 2, 3, 4},
         "REG_DWORD_BIG_ENDIAN    0x1020304"},
        {"/t REG_QWORD /d 18446744073709551615", "V", Bytes(8, 0xFF),
         "REG_QWORD    0xffffffffffffffff"},
        {"/t reg_qword /d 0x100000000", "V", {0, 0, 0, 0, 1, 0, 0, 0}, "REG_QWORD    0x100000000"},
        {"/t REG_BINARY /d 00ab10", "V", {0x00, 0xAB, 0x10}, "REG_BINARY    00AB10"},
        {"/t REG_BINARY", "V", {}, "REG_BINARY    "},
        {"/t REG_NONE /d 0a0B", "V", {0x0A, 0x0B}, "REG_NONE    0A0B"},
        {"/t REG_NONE", "V", {}, "REG_NONE    "},
        {"", "Q", {1, 0, 0, 0, 0, 0, 0, 1}, "REG_QWORD    0x100000000000001"},
        {"", "X", {7}, "0x20    07"},
        {"/ve /d x", "", TextBytes("x"), "REG_SZ    x"},
        {"/t REG_DWORD /d 9", "", {9, 0, 0, 0}, "REG_DWORD    0x9"}};
    for (const auto& [switches, name, stored, shown] : table) {
        if (!switches.empty())
            Succeed(Words("add KEY /f " + (name.empty() ? "" : "/v " + name + " ") + switches));
        const RawValue value = Value("Software\\Test", name);
        EXPECT_EQ(std::make_pair(reg::TypeName(value.type), value.data),
                  std::make_pair(shown.substr(0, shown.find("    ")), stored));
        const std::string query = name.empty() ? "/ve" : "/v " + std::string{char(name[0] | 0x20)};
        EXPECT_EQ(Succeed(Words("query KEY " + query)), "\n"s + kFull + "\n    " +
                                                            (name.empty() ? "(Default)" : name) +
                                                            "    " + shown + "\n\n");
    }
    // Without /v or /ve, the key's default value becomes an empty string.
    Succeed({"add", kKey + "\\New"s, "/f"});
    const RawValue value = Value("Software\\Test\\New", "");
    EXPECT_EQ(std::make_pair(value.type, value.data), std::make_pair(REG_SZ, Bytes{0}));
}

// The output starts with a blank line and each key's values end with one; a key queried on
// its own that has no values shows only its subkeys.
TEST_F(RegCommand, QueryListsValuesThenSubKeysOrRecurses) {
    Put("Software\\Test", "", "top");
    Put("Software\\Test\\B", "x", "1");
    Put("Software\\Test\\a", "x", "2");
    Put("Software\\Test\\a\\Bare\\Child", "y", "3");
    const std::string full = kFull;
    const std::string top = full + "\n    (Default)    REG_SZ    top\n\n";
    const std::string a = full + "\\a\n    x    REG_SZ    2\n\n";
    const std::string bare = full + "\\a\\Bare\n";
    const std::string child = bare.substr(0, bare.size() - 1) + "\\Child\n    y    REG_SZ    3\n\n";
    const std::string b = full + "\\B\n    x    REG_SZ    1\n\n";
    // The query, and what it prints.
    const std::pair<std::string, std::string> table[] = {
        {"query hkey_current_user\\SOFTWARE\\test", "\n" + top + full + "\\a\n" + full + "\\B\n"},
        {"query KEY\\a", "\n" + a + bare},
        {"query KEY\\a\\bare", "\n" + bare.substr(0, bare.size() - 1) + "\\Child\n"},
        {"query KEY /s", "\n" + top + a + bare + child + b},
        {"query KEY /v X /s", "\n" + a + b + "End of search: 2 match(es) found.\n"},
        {"query KEY\\a /ve", "\n" + full + "\\a\n    (Default)    REG_SZ    (value not set)\n\n"}};
    for (const auto& [line, printed] : table)
        EXPECT_EQ(Succeed(Words(line)), printed) << line;
    const CommandResult missing = Run({"query", kKey, "/v", "none"});
    EXPECT_EQ(std::make_pair(missing.status, missing.out), std::make_pair(1, ""s));
}

// Each refusal is an "ERROR: " line (the whole line where given), and no hive is made; /?, /h
// and -H after an operation print its usage.
TEST_F(RegCommand, RefusesBadDataAndUnknownSwitchesWithAnErrorLine) {
    const std::string multi = "ERROR: Invalid data for REG_MULTI_SZ: ";
    const std::string empty = " (a multi-string cannot hold an empty string)\n";
    const std::string syntax = "ERROR: Invalid syntax: ";
    const std::string file = File("t.reg");
    // Data out of its type's range or form, unknown types, roots, switches and operations.
    for (const char* line :
         {"add KEY /v V /t REG_DWORD /d 4294967296", "add KEY /v V /t REG_DWORD /d -1",
          "add KEY /v V /t REG_DWORD_BIG_ENDIAN /d 0x100000000",
          "add KEY /v V /t REG_QWORD /d 18446744073709551616", "add KEY /v V /t REG_QWORD /d 0x",
          "add KEY /v V /t REG_BINARY /d abc", "add KEY /v V /t REG_NONE /d xy",
          "add KEY /t REG_LINK", "add HKXX\\Software", "add HKCU\\a\\\\b", "query KEY /f", "query",
          "frobnicate KEY", ""}) {
        const CommandResult result = Run(Words(line));
        EXPECT_TRUE(result.status == 1 && result.err.starts_with("ERROR: ")) << line;
    }
    // The line, the exit status, and the start of what it prints (on stderr for 1).
    const std::tuple<std::string, int, std::string> table[] = {
        {"add KEY /v M /t REG_MULTI_SZ /d a\\0\\0b", 1, multi + "a\\0\\0b" + empty},
        {"add KEY /v M /t REG_MULTI_SZ /d a\\0", 1, multi + "a\\0" + empty},
        {"add KEY /v M /t REG_MULTI_SZ /s , /d a,,b", 1, multi + "a,,b" + empty},
        {"add KEY /v M /t REG_MULTI_SZ /s ab /d a", 1, syntax + "/s takes one character.\n"},
        {"add KEY /v M /s # /d a", 1, syntax + "/s applies to REG_MULTI_SZ only.\n"},
        {"add KEY /v V /t REG_DWORD", 1, syntax + "REG_DWORD needs /d DATA.\n"},
        {"add KEY /t REG_QWORD /f", 1, syntax + "REG_QWORD needs"},
        {"add KEY /v V /f /F", 1, syntax + "/F is given twice.\n"},
        {"add KEY /v V /ve", 1, syntax + "/ve is given twice.\n"},
        {"add KEY /d 1 /d 1", 1, syntax + "/d is given twice.\n"},
        {"query KEY /s -s", 1, syntax + "-s is given twice.\n"},
        {"delete KEY /va /va /f", 1, syntax + "/va is given twice.\n"},
        {"export /y KEY " + file, 1, syntax + "/y must follow"},
        {"export KEY " + file + " /y /y", 1, syntax + "/y is given twice.\n"},
        {"query /?", 0, "Usage:\n  horvane-reg query KEY [/v NAME | /ve] [/s]\nKEY starts"},
        {"ADD KEY /v V /h", 0,
         "Usage:\n  horvane-reg add KEY [/v NAME | /ve] [/t TYPE] [/s SEP] [/d DATA] [/f]\nKEY"},
        {"delete -H", 0, "Usage:\n  horvane-reg delete KEY [/v NAME | /ve | /va] [/f]\nKEY"},
        {"export /f -?", 0, "Usage:\n  horvane-reg export KEY FILE [/y]\nKEY"},
        {"import /?", 0, "Usage:\n  horvane-reg import FILE\nKEY"}};
    for (const auto& [line, status, printed] : table) {
        const CommandResult result = Run(Words(line));
        EXPECT_EQ(result.status, status) << line;
        EXPECT_TRUE((status == 0 ? result.out : result.err).starts_with(printed))
            << result.out << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(RegCommand, AsksBeforeOverwritingOrDeletingUnlessForced) {
    Succeed({"add", kKey, "/v", "V", "/d", "first"});
    EXPECT_EQ(Run({"add", kKey, "/v", "V", "/d", "second"}).status, 1);
    EXPECT_EQ(questions_, std::vector<std::string>{"Value V exists, overwrite(Yes/No)? "});
    EXPECT_EQ(Value("Software\\Test", "V").data, TextBytes("first"));
    Succeed({"add", kKey, "/v", "V", "/d", "forced", "/f"});
    answer_ = true;
    Succeed({"add", kKey, "/v", "V", "/d", "confirmed"});

    for (const char* name : {"a", "b", ""})
        Put("Software\\Test", name, name);
    Put("Software\\Test\\Sub", "c", "c");
    answer_ = false;
    EXPECT_EQ(Run({"delete", kKey, "/v", "a"}).status, 1);
    Succeed({"delete", kKey, "/v", "a", "/f"});
    EXPECT_EQ(Run({"delete", kKey, "/v", "a", "/f"}).status, 1); // gone
    Succeed({"delete", kKey, "/ve", "/f"});
    const std::string sub = kFull + "\\Sub\n    c    REG_SZ    c\n\n"s;
    EXPECT_EQ(Succeed({"query", kKey, "/s"}),
              "\n"s + kFull + "\n    V    REG_SZ    confirmed\n    b    REG_SZ    b\n\n" + sub);
    Succeed({"delete", kKey, "/va", "/f"});
    EXPECT_EQ(Succeed({"query", kKey, "/s"}), "\n"s + kFull + "\n" + sub);
    EXPECT_EQ(Run({"delete", "HKCU", "/f"}).status, 1);
    answer_ = true;
    Succeed({"delete", kKey});
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, "Software").empty());
}

// A hive that cannot serve the call: the message names the file and the cause, and the
// file stays as it was.
TEST_F(RegCommand, AFailureNamesTheHiveFileAndItsCause) {
    WriteFileBytes(hives_.UserHive(), "not a hive at all");
    const std::string error = "ERROR: " + RegistryResultText(ERROR_REGISTRY_CORRUPT) + " (" +
                              hives_.UserHive().string() + ": file is not a database)\n";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"query", kKey}, {"add", kKey, "/v", "a", "/d", "b", "/f"}}) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(std::make_pair(result.status, result.err), std::make_pair(1, error));
    }
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), "not a hive at all");
}

// The store's own values, and values that the file format must carry exactly: among them
// bytes that are not UTF-8 (one a surrogate's UTF-8 form), which travel as lone surrogates.
TEST_F(RegCommand, ExportThenImportIntoAnEmptyHiveGivesTheSameQuery) {
    LongLat().LoadSettings();
    const std::string key = "Software\\TallwickSoftware\\Horvane\\Awkward \"keys\" [1]";
    const std::tuple<const char*, DWORD, Bytes> awkward[] = {
        {"", REG_SZ, TextBytes("default")},
        {"quote\"and\\slash", REG_SZ, TextBytes("C:\\ \"x\"")},
        {"empty", REG_SZ, {}},
        {"unterminated", REG_SZ, {'a', 'b'}},
        {"not utf-8", REG_SZ, {'a', 0xFF, 0xC3, 0xED, 0xA0, 0x80, 0}},
        {"lines\r\n", REG_SZ, TextBytes("one\ntwo\r\nthree")},
        {"expand", REG_EXPAND_SZ, TextBytes("%HOME%\\México 𝄞")},
        {"multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
        {"dword", REG_DWORD, {1, 2, 3, 4}},
        {"short dword", REG_DWORD, {1, 2}},
        {"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"odd type", 0x12345, {9}},
        {"long", REG_BINARY, Bytes(300, 0xAB)}};
    for (const auto& [name, type, data] : awkward)
        WriteRaw(HKEY_CURRENT_USER, key, name, type, data);
    WriteRaw(HKEY_CURRENT_USER, key + "\\Empty child", "", REG_NONE, {});
    const std::vector<std::string> queryAll = {"query", "HKCU\\Software", "/s"};
    const std::string before = Succeed(queryAll);
    Succeed({"export", "HKCU\\Software\\TallwickSoftware", File("store.reg")});
    const TemporaryHives empty;
    Succeed({"import", File("store.reg")});
    EXPECT_EQ(Succeed(queryAll), before);
    EXPECT_EQ(Value(key, "not utf-8").data, (Bytes{'a', 0xFF, 0xC3, 0xED, 0xA0, 0x80, 0}));
}

using RegExport = RegCommand;

// The eightieth column is counted in characters: "Año" is one byte longer than it is wide.
TEST_F(RegExport, WritesUtf16WithCrLfAndWrapsLongHexListsBeforeTheEightiethColumn) {
    Put("Software\\W\\Ciudad de México", "Latitude", "19.400N");
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Hand", REG_DWORD, {0x78, 0x56, 0x34, 0x12});
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Path", REG_EXPAND_SZ, TextBytes("%A%"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Blob", REG_BINARY, Bytes(60, 0x5A));
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "Edge", REG_BINARY, Bytes(23, 0x5A));
    WriteRaw(HKEY_CURRENT_USER, "Software\\W", "A\xC3\xB1o", REG_BINARY, Bytes(24, 0x5A));
    Put("Software\\W", "lines\r\n", "one\ntwo\r\nthree");
    Succeed({"export", "HKCU\\Software\\W", File("w.reg")});
    EXPECT_EQ(
        ReadFileBytes(File("w.reg")),
        reg::UnicodeFileBytes(
            "Windows Registry Editor Version 5.00\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\W]\r\n"
            "\"Hand\"=dword:12345678\r\n"
            "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n"
            "\"Blob\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,\\\r\n"
            "  5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,\\\r\n"
            "  5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a\r\n"
            "\"Edge\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,\\\r\n"
            "  5a\r\n"
            "\"A\xC3\xB1o\"=hex:5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,5a,"
            "5a,\\\r\n"
            "  5a\r\n"
            "\"lines\\r\\n\"=\"one\\ntwo\\r\\nthree\"\r\n\r\n"
            "[HKEY_CURRENT_USER\\Software\\W\\Ciudad de México]\r\n"
            "\"Latitude\"=\"19.400N\"\r\n\r\n"));
}

// An existing file is replaced only when confirmed, then whole, keeping its mode; what lies at
// the names an export might pick for its temporary file stays as it is. A new file takes the
// umask and its name as the bytes given; a failed export leaves no file behind.
TEST_F(RegExport, WritesTheFileWholeOrNotAtAllTouchingNothingBesideIt) {
    Put("Software\\T", "V", "1");
    const std::string file = File("t.reg");
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

    const mode_t previous = umask(027);
    const std::string created = File("caf\xE9 \xFF.reg"); // not UTF-8
    Succeed({"export", "HKCU\\Software\\T", created});
    umask(previous);
    EXPECT_EQ(std::filesystem::status(created).permissions(), std::filesystem::perms(0640));
    std::filesystem::create_directory(File("folder.reg"));
    const CommandResult toFolder = Run({"export", "HKCU\\Software\\T", File("folder.reg"), "/y"});
    EXPECT_EQ(
        std::make_pair(toFolder.status, toFolder.err),
        std::make_pair(1, "ERROR: Cannot write " + File("folder.reg") + ": Is a directory.\n"));
    const CommandResult fromFolder = Run({"import", File("folder.reg")});
    const CommandResult fromNowhere = Run({"import", File("nowhere.reg")});
    EXPECT_EQ(std::make_tuple(fromFolder.status, fromFolder.err, fromNowhere.err),
              std::make_tuple(1,
                              "ERROR: " + File("folder.reg") +
                                  ", line 1: the first line must be \"Windows Registry Editor "
                                  "Version 5.00\" or \"REGEDIT4\".\n",
                              "ERROR: Cannot open " + File("nowhere.reg") + ".\n"));
    EXPECT_EQ(Run({"export", "HKCU\\Software\\Missing", File("m.reg")}).status, 1);
    EXPECT_EQ(FolderNames(hives_.Folder()),
              (std::vector<std::string>{"caf\xE9 \xFF.reg", "config", "folder.reg", "t.reg",
                                        "t.reg.partial", "t.reg.tmp", "victim"}));
}

TEST_F(RegExport, QueryAndExportWalkATreeAThousandKeysDeepOnASmallStack) {
    constexpr int kDepth = 1000;
    std::string path = "Software\\Deep";
    for (int level = 0; level < kDepth; ++level)
        path += "\\k";
    ASSERT_EQ(Put(path, "v", "bottom"), 0);
    const std::string listing = RunOnSmallStack("query HKCU\\\\Software\\\\Deep /s").out;
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), (kDepth + 1) + 3);
    EXPECT_NE(listing.find("\\k\\k\n    v    REG_SZ    bottom\n"), std::string::npos);
    RunOnSmallStack("export HKCU\\\\Software\\\\Deep " + File("deep.reg"));
    const std::string exported = ReadFileBytes(File("deep.reg"));
    EXPECT_EQ(std::count(exported.begin(), exported.end(), '['), kDepth + 1);
    EXPECT_EQ(RunOnSmallStack("delete HKCU\\\\Software\\\\Deep /f").status, 0);
    const CommandResult missing = RunOnSmallStack("query HKCU\\\\Software\\\\Deep");
    EXPECT_TRUE(missing.status == 1 &&
                missing.out.starts_with("ERROR: The system was unable to "
                                        "find the specified registry key or value.\n"))
        << missing.out;
}

constexpr const char* kNarrowHead = "REGEDIT4\r\n\r\n";

class RegImport : public RegCommand {
protected:
    void SetUp() override { Put("Software\\Store", "Location", "Home"); }
};

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
    // The file after its header, the end of the error message, and what the user's hive then
    // holds.
    const std::tuple<std::string, std::string, const char*> table[] = {
        {machine + user + big, " Nothing was imported.\n", "Home"},
        {machine + big + user,
         " Only part of the file was imported: HKEY_CURRENT_USER (lines 6-7) landed; "
         "HKEY_LOCAL_MACHINE (lines 3-5) did not.\n",
         "Away"},
    };
    WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old", REG_SZ, TextBytes("kept"));
    const std::string file = File("both.reg");
    for (const auto& [text, expectedEnd, location] : table) {
        WriteFileBytes(file, kNarrowHead + text);
        const CommandResult result = ImportOnAFullDisk(hives_, file);
        EXPECT_TRUE(
            result.status == 1 &&
            result.err.starts_with("ERROR: " + file + ": the changes could not be saved: ") &&
            result.err.ends_with(expectedEnd))
            << result.err;
        EXPECT_EQ(Value("Software\\Store", "Location").data, TextBytes(location));
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").result, ERROR_FILE_NOT_FOUND);
        EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Old").data, TextBytes("kept"));
    }
    Succeed({"import", file}); // with room to grow, all of it lands
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "New").data, TextBytes("1"));
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Big", "Blob").data.size(), 512u * 1024 + 1);
}

} // namespace
