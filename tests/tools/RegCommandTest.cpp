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

constexpr const char* kTop = "\nHKEY_CURRENT_USER\\Software\\Test";

TEST_F(RegCommand, AddStoresTheTypeAndBytesGivenAndQueryShowsEachTypeInItsOwnForm) {
    // The type and data as add is given them (no type: stored directly), what is stored, and
    // TYPE    DATA as query shows it.
    const std::tuple<std::string, std::string, DWORD, Bytes, std::string> table[] = {
        {"REG_SZ", "a%b%c", REG_SZ, TextBytes("a%b%c"), "REG_SZ    a%b%c"},
        {"reg_expand_sz", "%HOME%", REG_EXPAND_SZ, TextBytes("%HOME%"), "REG_EXPAND_SZ    %HOME%"},
        {"REG_MULTI_SZ", "a\\0b", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "REG_MULTI_SZ    a\\0b"},
        {"REG_DWORD", "4294967295", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "REG_DWORD    0xffffffff"},
        {"REG_DWORD", "0x2A", REG_DWORD, {0x2A, 0, 0, 0}, "REG_DWORD    0x2a"},
        {"REG_BINARY", "00ab10", REG_BINARY, {0x00, 0xAB, 0x10}, "REG_BINARY    00AB10"},
        {"REG_BINARY", "", REG_BINARY, {}, "REG_BINARY    "},
        {"", "", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 1}, "REG_QWORD    0x100000000000001"},
        {"", "", 0x20, {7}, "0x20    07"}};
    for (const auto& [type, data, storedType, stored, shown] : table) {
        if (type.empty())
            WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "V", storedType, stored);
        else
            Succeed({"add", kKey, "/v", "V", "/t", type, "/d", data, "/f"});
        const RawValue value = Value("Software\\Test", "V");
        EXPECT_EQ(std::make_pair(value.type, value.data), std::make_pair(storedType, stored))
            << shown;
        EXPECT_EQ(Succeed({"query", kKey, "/v", "v"}), kTop + "\n    V    "s + shown + "\n");
    }
}

TEST_F(RegCommand, QueryListsValuesThenSubKeysOrRecurses) {
    Put("Software\\Test", "", "top");
    Put("Software\\Test\\B", "x", "1");
    Put("Software\\Test\\a", "x", "2");
    const std::string top = kTop + "\n    (Default)    REG_SZ    top\n"s;
    const std::string a = kTop + "\\a\n    x    REG_SZ    2\n"s;
    const std::string b = kTop + "\\B\n    x    REG_SZ    1\n"s;
    EXPECT_EQ(Succeed({"query", "hkey_current_user\\SOFTWARE\\test"}),
              top + kTop + "\\a" + kTop + "\\B\n");
    EXPECT_EQ(Succeed({"query", kKey + "\\a"s}), a);
    EXPECT_EQ(Succeed({"query", kKey, "/s"}), top + a + b);
    EXPECT_EQ(Succeed({"query", kKey, "/v", "X", "/s"}),
              a + b + "\nEnd of search: 2 match(es) found.\n");
}

// Each refusal is an "ERROR: " line (the whole line where given), and no hive is made.
TEST_F(RegCommand, RefusesBadDataAndUnknownSwitchesWithAnErrorLine) {
    const std::string multi = "ERROR: Invalid data for REG_MULTI_SZ: ";
    const std::string empty = " (a multi-string cannot hold an empty string)\n";
    const std::pair<std::vector<std::string>, std::string> table[] = {
        {{"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "4294967296"}, "ERROR: "},
        {{"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "-1"}, "ERROR: "},
        {{"add", kKey, "/v", "V", "/t", "REG_BINARY", "/d", "abc"}, "ERROR: "},
        {{"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "a\\0\\0b"},
         multi + "a\\0\\0b" + empty},
        {{"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", "a\\0"}, multi + "a\\0" + empty},
        {{"add", kKey, "/t", "REG_LINK"}, "ERROR: "},
        {{"add", "HKXX\\Software"}, "ERROR: "},
        {{"add", "HKCU\\a\\\\b"}, "ERROR: "},
        {{"query", kKey, "/f"}, "ERROR: "},
        {{"query"}, "ERROR: "},
        {{"frobnicate", kKey}, "ERROR: "},
        {{}, "ERROR: "}};
    for (const auto& [arguments, error] : table) {
        const CommandResult result = Run(arguments);
        EXPECT_TRUE(result.status == 1 && result.err.starts_with(error)) << result.err;
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
        {"lines", REG_SZ, TextBytes("one\r\ntwo")},
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
            "  5a\r\n\r\n"
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
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 2 * (kDepth + 1) + 1);
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

constexpr const char* kUnicodeHead = "Windows Registry Editor Version 5.00\r\n\r\n";
constexpr const char* kNarrowHead = "REGEDIT4\r\n\r\n";

class RegImport : public RegCommand {
protected:
    void SetUp() override {
        Put("Software\\Precious\\Below", "keep", "1");
        Put("Software\\Store", "Location", "Home");
    }
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
    const std::pair<const char*, const char*> files[] = {
        {"REGEDIT4\n\n", "; a comment\n[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
                         "[HKCU\\Software\\Keep]\n\"gone\"=-\n\"path\"=hex(2):25,41,25,00\n"
                         "\"bytes\"=hex:01,\\\n  02,03\n@=\"México\"\n"},
        {kUnicodeHead, "[HKCU\\Software\\A]\r\n; ends in a backslash \\\r\n"
                       "[HKCU\\Software\\B]\r\n\"v\"=hex:01,\\\r\n  02,\\\r\n\t03\r\n"
                       ";\\\r\n\"w\"=\"2\"\r\n"}};
    for (const auto& [head, text] : files)
        EXPECT_EQ(Import(head, text).err, "");
    const std::string top = "\nHKEY_CURRENT_USER\\Software";
    EXPECT_EQ(Succeed({"query", "HKCU\\Software", "/s"}),
              top + "\n" + top + "\\A\n" + top + "\\B\n    v    REG_BINARY    010203\n" +
                  "    w    REG_SZ    2\n" + top + "\\Keep\n    path    REG_EXPAND_SZ    %A%\n" +
                  "    bytes    REG_BINARY    010203\n    (Default)    REG_SZ    México\n" + top +
                  "\\Precious\n" + top + "\\Precious\\Below\n    keep    REG_SZ    1\n" + top +
                  "\\Store\n    Location    REG_SZ    Home\n");
    EXPECT_EQ(Value("Software\\Keep", "path").data, (std::vector<BYTE>{0x25, 0x41, 0x25, 0}));
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
