// horvane-reg on temporary hives: query, add and delete; export and import files.

#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/tools/RegCommandFixture.h"

#include <cstdlib>

using namespace horvane;
using namespace horvane::test_support;

namespace {

// Values that the file format must carry exactly, beside the store's own.
void WriteAwkwardValues() {
    const std::string key = "Software\\TallwickSoftware\\Horvane\\Awkward \"keys\" [1]";
    WriteRaw(HKEY_CURRENT_USER, key, "", REG_SZ, TextBytes("default"));
    WriteRaw(HKEY_CURRENT_USER, key, "quote\"and\\slash", REG_SZ, TextBytes("C:\\ \"x\""));
    WriteRaw(HKEY_CURRENT_USER, key, "empty", REG_SZ, {});
    WriteRaw(HKEY_CURRENT_USER, key, "unterminated", REG_SZ, {'a', 'b'});
    WriteRaw(HKEY_CURRENT_USER, key, "not utf-8", REG_SZ, {'a', 0xFF, 0xC3, 0});
    WriteRaw(HKEY_CURRENT_USER, key, "lines", REG_SZ, TextBytes("one\r\ntwo"));
    WriteRaw(HKEY_CURRENT_USER, key, "expand", REG_EXPAND_SZ, TextBytes("%HOME%\\México"));
    WriteRaw(HKEY_CURRENT_USER, key, "multi", REG_MULTI_SZ, {'a', 0, 'b', 0, 0});
    WriteRaw(HKEY_CURRENT_USER, key, "short dword", REG_DWORD, {1, 2});
    WriteRaw(HKEY_CURRENT_USER, key, "qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8});
    WriteRaw(HKEY_CURRENT_USER, key, "odd type", 0x12345, {9});
    WriteRaw(HKEY_CURRENT_USER, key, "long", REG_BINARY, std::vector<BYTE>(300, 0xAB));
    WriteRaw(HKEY_CURRENT_USER, key + "\\Empty child", "", REG_NONE, {});
}

struct ValueCase {
    std::string type, data; // as add is given them; no type: stored directly
    DWORD storedType;
    std::vector<BYTE> stored;
    std::string shown; // TYPE    DATA, as query shows it
};

} // namespace

TEST_F(RegCommand, AddStoresTheTypeAndBytesGivenAndQueryShowsEachTypeInItsOwnForm) {
    const ValueCase table[] = {
        {"REG_SZ", "a%b%c", REG_SZ, TextBytes("a%b%c"), "REG_SZ    a%b%c"},
        {"reg_expand_sz", "%HOME%", REG_EXPAND_SZ, TextBytes("%HOME%"), "REG_EXPAND_SZ    %HOME%"},
        {"REG_MULTI_SZ", "a\\0b", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "REG_MULTI_SZ    a\\0b"},
        {"REG_DWORD", "4294967295", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "REG_DWORD    0xffffffff"},
        {"REG_DWORD", "0x2A", REG_DWORD, {0x2A, 0, 0, 0}, "REG_DWORD    0x2a"},
        {"REG_BINARY", "00ab10", REG_BINARY, {0x00, 0xAB, 0x10}, "REG_BINARY    00AB10"},
        {"REG_BINARY", "", REG_BINARY, {}, "REG_BINARY    "},
        {"", "", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 1}, "REG_QWORD    0x100000000000001"},
        {"", "", 0x20, {7}, "0x20    07"}};
    for (const ValueCase& row : table) {
        if (row.type.empty())
            ASSERT_EQ(
                WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "V", row.storedType, row.stored), 0);
        else
            Succeed({"add", kKey, "/v", "V", "/t", row.type, "/d", row.data, "/f"});
        const RawValue value = ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "V");
        EXPECT_EQ(value.type, row.storedType) << row.shown;
        EXPECT_EQ(value.data, row.stored) << row.shown;
        EXPECT_EQ(Succeed({"query", kKey, "/v", "v"}),
                  "\nHKEY_CURRENT_USER\\Software\\Test\n    V    " + row.shown + "\n");
    }
}

TEST_F(RegCommand, QueryListsValuesThenSubKeysOrRecurses) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "", REG_SZ, TextBytes("top"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test\\B", "x", REG_SZ, TextBytes("1"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test\\a", "x", REG_SZ, TextBytes("2"));
    EXPECT_EQ(Succeed({"query", "hkey_current_user\\SOFTWARE\\test"}),
              "\nHKEY_CURRENT_USER\\Software\\Test\n    (Default)    REG_SZ    top\n\n"
              "HKEY_CURRENT_USER\\Software\\Test\\a\nHKEY_CURRENT_USER\\Software\\Test\\B\n");
    EXPECT_EQ(Succeed({"query", kKey, "/s"}),
              "\nHKEY_CURRENT_USER\\Software\\Test\n    (Default)    REG_SZ    top\n"
              "\nHKEY_CURRENT_USER\\Software\\Test\\a\n    x    REG_SZ    2\n"
              "\nHKEY_CURRENT_USER\\Software\\Test\\B\n    x    REG_SZ    1\n");
    EXPECT_EQ(Succeed({"query", kKey, "/v", "X", "/s"}),
              "\nHKEY_CURRENT_USER\\Software\\Test\\a\n    x    REG_SZ    2\n"
              "\nHKEY_CURRENT_USER\\Software\\Test\\B\n    x    REG_SZ    1\n"
              "\nEnd of search: 2 match(es) found.\n");
}

// More values and subkeys than one read-ahead holds, values growing and shrinking in size,
// and subkeys below subkeys: each shows once, in order, with its own data.
TEST_F(RegCommand, QueryWalksKeysAndValuesBeyondWhatOneReadAheadHolds) {
    const std::string top = "HKEY_CURRENT_USER\\Software\\Test";
    std::string expected = "\n" + top + "\n";
    RegistryBatch batch(HKEY_CURRENT_USER); // one write to the disk, not 190
    ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
    for (int index = 0; index < 40; ++index) {
        const std::string name = "v" + std::to_string(100 + index);
        const std::string data(index % 3 == 0 ? 3000 - index : index % 7, 'a' + index % 26);
        WriteRaw(HKEY_CURRENT_USER, "Software\\Test", name, REG_SZ, TextBytes(data));
        expected += "    " + name + "    REG_SZ    " + data + "\n";
    }
    for (int index = 0; index < 150; ++index) {
        const std::string name = "k" + std::to_string(1000 + index);
        WriteRaw(HKEY_CURRENT_USER, "Software\\Test\\" + name, "x", REG_SZ, TextBytes(name));
        expected += "\n" + top + "\\" + name + "\n    x    REG_SZ    " + name + "\n";
        if (index % 50 == 0) {
            WriteRaw(HKEY_CURRENT_USER, "Software\\Test\\" + name + "\\below", "", REG_NONE, {});
            expected += "\n" + top + "\\" + name + "\\below\n    (Default)    REG_NONE    \n";
        }
    }
    ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    EXPECT_EQ(Succeed({"query", kKey, "/s"}), expected);
}

TEST_F(RegCommand, AFirstRunHiveShowsThe23PlacesAndTheSettings) {
    LongLat().LoadSettings();
    std::string expected = "\nHKEY_CURRENT_USER\\Software\\TallwickSoftware\\Horvane\n"
                           "    Location    REG_SZ    Shorewood, Wisconsin, US\n";
    for (const char* hand :
         {"SecondHand", "MinuteHand", "HourHand", "WeekHand", "MoonHand", "YearHand"})
        expected += std::string("    ") + hand + "    REG_DWORD    0xffffffff\n";
    const std::string locations =
        "HKEY_CURRENT_USER\\Software\\TallwickSoftware\\Horvane\\Locations";
    expected += "\n" + locations + "\n";
    for (const DefaultLocation& place : kDefaultLocations)
        expected += "\n" + locations + "\\" + place.name + "\n    Longitude    REG_SZ    " +
                    place.longitude + "\n    Latitude    REG_SZ    " + place.latitude + "\n";
    EXPECT_EQ(Succeed({"query", "HKCU\\Software\\TallwickSoftware\\Horvane", "/s"}), expected);
}

TEST_F(RegCommand, RefusesBadDataAndUnknownSwitchesWithAnErrorLine) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "4294967296"},
             {"add", kKey, "/v", "V", "/t", "REG_DWORD", "/d", "-1"},
             {"add", kKey, "/v", "V", "/t", "REG_BINARY", "/d", "abc"},
             {"add", kKey, "/t", "REG_LINK"},
             {"add", "HKXX\\Software"},
             {"add", "HKCU\\a\\\\b"},
             {"query", kKey, "/f"},
             {"query"},
             {"frobnicate", kKey},
             {}}) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.err.rfind("ERROR: ", 0), 0u) << result.err;
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

TEST_F(RegCommand, RefusesAMultiStringWithAnEmptyString) {
    for (const std::string data : {"a\\0\\0b", "\\0a", "a\\0"}) {
        const CommandResult result =
            Run({"add", kKey, "/v", "M", "/t", "REG_MULTI_SZ", "/d", data, "/f"});
        EXPECT_EQ(result.err, "ERROR: Invalid data for REG_MULTI_SZ: " + data +
                                  " (a multi-string cannot hold an empty string)\n");
    }
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

TEST_F(RegCommand, OverwritesAnExistingValueOnlyWhenForcedOrConfirmed) {
    Succeed({"add", kKey, "/v", "V", "/d", "first"});
    EXPECT_EQ(Run({"add", kKey, "/v", "V", "/d", "second"}).status, 1);
    ASSERT_EQ(questions_, std::vector<std::string>{"Value V exists, overwrite(Yes/No)? "});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "V").data, TextBytes("first"));
    answer_ = true;
    Succeed({"add", kKey, "/v", "V", "/d", "second"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "V").data, TextBytes("second"));
    answer_ = false;
    Succeed({"add", kKey, "/v", "V", "/d", "third", "/f"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "V").data, TextBytes("third"));
}

TEST_F(RegCommand, DeletesValuesAllValuesOrTheWholeTree) {
    for (const char* name : {"a", "b", ""})
        WriteRaw(HKEY_CURRENT_USER, "Software\\Test", name, REG_SZ, TextBytes(name));
    WriteRaw(HKEY_CURRENT_USER, "Software\\Test\\Sub\\Deeper", "c", REG_SZ, TextBytes("c"));

    EXPECT_EQ(Run({"delete", kKey, "/v", "a"}).status, 1); // not confirmed
    Succeed({"delete", kKey, "/v", "a", "/f"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "a").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(Run({"delete", kKey, "/v", "a", "/f"}).status, 1);
    Succeed({"delete", kKey, "/ve", "/f"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "b").result, ERROR_SUCCESS);
    Succeed({"delete", kKey, "/va", "/f"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "b").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Test\\Sub\\Deeper", "c").result, 0);

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
    const std::vector<std::vector<std::string>> commands = {
        {"query", "HKCU\\Software"},
        {"add", kKey, "/v", "a", "/d", "b", "/f"},
        {"export", "HKCU\\Software", File("out.reg")},
    };
    const std::string start =
        "ERROR: " + RegistryResultText(ERROR_REGISTRY_CORRUPT) + " (" + hive.string() + ": ";
    for (const std::vector<std::string>& arguments : commands) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 1) << arguments[0];
        EXPECT_EQ(result.err.rfind(start, 0), 0u) << result.err;
        EXPECT_EQ(result.err.substr(result.err.size() - 2), ")\n") << result.err;
    }
    EXPECT_EQ(ReadFileBytes(hive), "not a hive at all");
    EXPECT_FALSE(std::filesystem::exists(File("out.reg")));
}

TEST(RegExecutable, ExitsWithStatusAndErrorLine) {
    TemporaryHives hives;
    const std::string output = (hives.Folder() / "output").string();
    const std::string command =
        std::string("XDG_CONFIG_HOME=") + hives.Folder().string() + " " + HORVANE_REG_PATH + " ";
    EXPECT_EQ(std::system((command + "add HKCU\\\\Software\\\\X /v V /d 1 >" + output).c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(hives.Folder() / "horvane" / "user.hive"));
    const int status = std::system((command + "query HKCU\\\\Nope 2>" + output).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    const std::string errors = ReadFileBytes(output);
    EXPECT_EQ(errors.substr(0, errors.find('\n')),
              "ERROR: The system was unable to find the specified registry key or value.");
}

TEST_F(RegCommand, ExportThenImportIntoAnEmptyHiveGivesTheSameQuery) {
    LongLat().LoadSettings();
    WriteAwkwardValues();
    const std::string before = QueryAll();
    const std::string file = File("store.reg");
    Succeed({"export", kStoreKey, file});
    other_ = std::make_unique<TemporaryHives>();
    Succeed({"import", file});
    EXPECT_EQ(QueryAll(), before);
    const RawValue invalid =
        ReadRaw(HKEY_CURRENT_USER, "Software\\TallwickSoftware\\Horvane\\Awkward \"keys\" [1]",
                "not utf-8");
    EXPECT_EQ(invalid.data, (std::vector<BYTE>{'a', 0xFF, 0xC3, 0}));
}

TEST_F(RegCommand, ExportsUtf16WithByteOrderMarkAndCrLf) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\T\\Ciudad de México", "Latitude", REG_SZ,
             TextBytes("19.400N"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "Hand", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "Path", REG_EXPAND_SZ, TextBytes("%A%"));
    const std::string file = File("t.reg");
    Succeed({"export", "HKCU\\Software\\T", file});
    EXPECT_EQ(ReadFileBytes(file),
              Utf16File("Windows Registry Editor Version 5.00\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                        "\"Hand\"=dword:ffffffff\r\n"
                        "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n\r\n"
                        "[HKEY_CURRENT_USER\\Software\\T\\Ciudad de México]\r\n"
                        "\"Latitude\"=\"19.400N\"\r\n\r\n"));
}

TEST_F(RegCommand, ExportAsksBeforeReplacingAFile) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "V", REG_SZ, TextBytes("1"));
    const std::string file = File("t.reg");
    WriteFileBytes(file, "keep me");
    EXPECT_EQ(Run({"export", "HKCU\\Software\\T", file}).status, 1);
    EXPECT_EQ(ReadFileBytes(file), "keep me");
    Succeed({"export", "HKCU\\Software\\T", file, "/y"});
    EXPECT_NE(ReadFileBytes(file), "keep me");
    EXPECT_EQ(Run({"export", "HKCU\\Software\\Missing", File("m.reg")}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(File("m.reg")));
}

TEST_F(RegCommand, ImportsNarrowFilesAndDeletions) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\Old\\Child", "x", REG_SZ, TextBytes("1"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\Keep", "gone", REG_SZ, TextBytes("1"));
    const std::string file = File("narrow.reg");
    WriteFileBytes(file, "REGEDIT4\n\n; a comment\n[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
                         "[HKCU\\Software\\Keep]\n\"gone\"=-\n\"path\"=hex(2):25,41,25,00\n"
                         "\"bytes\"=hex:01,\\\n  02,03\n@=\"México\"\n");
    Succeed({"import", file});
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"), std::vector<std::string>{"Keep"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Keep", "gone").result, ERROR_FILE_NOT_FOUND);
    const RawValue path = ReadRaw(HKEY_CURRENT_USER, "Software\\Keep", "path");
    EXPECT_EQ(path.type, REG_EXPAND_SZ);
    EXPECT_EQ(path.data, TextBytes("%A%"));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Keep", "bytes").data,
              (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Keep", "").data, TextBytes("México"));
}

// Each file sets a value before the line at fault: nothing of it may land.
TEST_F(RegCommand, AMalformedImportNamesTheLineAndChangesNothing) {
    LongLat().LoadSettings();
    const std::string before = QueryAll();
    const std::pair<std::string, int> table[] = {{"\"b\"=hex:01,2g\r\n", 5},
                                                 {"\"d\"=dword:123456789\r\n", 5},
                                                 {"\"s\"=\"open\r\n", 5},
                                                 {"\"s\"=\"a\\n\"\r\n", 5}, // unknown escape
                                                 {"\"s\"=text\r\n", 5},
                                                 {"\"s\" \"x\"\r\n", 5},
                                                 {"\r\n[HKEY_USERS\\x]\r\n", 6},
                                                 {"[HKCU\\Software\r\n", 5},
                                                 {"\"m\"=hex(7):61,00,62\r\n", 5}, // odd UTF-16
                                                 {"[-HKCU\\Software\\X]\r\n\"v\"=\"1\"\r\n", 6},
                                                 {"\"b\"=hex:01,\\\r\n  zz\r\n", 5}};
    const std::string file = File("bad.reg");
    for (const auto& [body, line] : table) {
        WriteFileBytes(file, Utf16File("Windows Registry Editor Version 5.00\r\n\r\n"
                                       "[HKCU\\Software\\TallwickSoftware\\Horvane]\r\n"
                                       "\"Location\"=\"Elsewhere\"\r\n" +
                                       body));
        const CommandResult result = Run({"import", file});
        EXPECT_EQ(result.status, 1) << body;
        EXPECT_EQ(result.err.rfind("ERROR: " + file + ", line " + std::to_string(line) + ":", 0),
                  0u)
            << result.err;
        EXPECT_EQ(QueryAll(), before) << body;
    }
}

TEST_F(RegCommand, RefusesAFileWithoutTheHeader) {
    const std::string file = File("plain.reg");
    WriteFileBytes(file, "[HKCU\\Software\\X]\n\"v\"=\"1\"\n");
    const CommandResult result = Run({"import", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("line 1:"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

TEST(TextEncoding, CarriesAnyBytesThroughUtf16) {
    for (const std::string& text : {std::string("México, 東京, 𝄞"),
                                    std::string("\xFF\xC3(\xED\xA0\x80"), std::string("a\0b", 3)}) {
        std::string back;
        ASSERT_TRUE(reg::NarrowText(reg::WidenText(text), back));
        EXPECT_EQ(back, text);
    }
    std::string ignored;
    EXPECT_FALSE(reg::NarrowText(u"\xD800x", ignored));
}
