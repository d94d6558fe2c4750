#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/tools/RegCommandSupport.h"

#include <cstdio>
#include <fstream>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr const char* kKey = "HKCU\\Software\\Test";

struct ShownCase {
    DWORD type;
    std::vector<BYTE> data;
    std::string shown; // TYPE    DATA
};

class QueryFormat : public RegCommand, public ::testing::WithParamInterface<ShownCase> {};

} // namespace

TEST_P(QueryFormat, ShowsEachTypeInItsOwnForm) {
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, "Software\\Test", "V", GetParam().type, GetParam().data),
              0);
    EXPECT_EQ(Succeed({"query", kKey, "/v", "v"}),
              "\nHKEY_CURRENT_USER\\Software\\Test\n    V    " + GetParam().shown + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Table, QueryFormat,
    ::testing::Values(ShownCase{REG_SZ, TextBytes("Tokyo, Japan"), "REG_SZ    Tokyo, Japan"},
                      ShownCase{REG_EXPAND_SZ, TextBytes("%HOME%"), "REG_EXPAND_SZ    %HOME%"},
                      ShownCase{REG_MULTI_SZ, {'a', 0, 'b', 0, 0}, "REG_MULTI_SZ    a\\0b"},
                      ShownCase{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}, "REG_DWORD    0xffffffff"},
                      ShownCase{REG_DWORD, {1, 0, 0, 0}, "REG_DWORD    0x1"},
                      ShownCase{REG_BINARY, {0x00, 0xAB, 0x10}, "REG_BINARY    00AB10"},
                      ShownCase{
                          REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 1}, "REG_QWORD    0x100000000000001"},
                      ShownCase{0x20, {7}, "0x20    07"}));

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

namespace {

struct AddCase {
    std::string type;
    std::string data;
    DWORD storedType;
    std::vector<BYTE> stored;
};

class AddData : public RegCommand, public ::testing::WithParamInterface<AddCase> {};

} // namespace

TEST_P(AddData, StoresTheTypeAndBytesGiven) {
    Succeed({"add", kKey, "/v", "V", "/t", GetParam().type, "/d", GetParam().data});
    const RawValue value = ReadRaw(HKEY_CURRENT_USER, "Software\\Test", "V");
    EXPECT_EQ(value.type, GetParam().storedType);
    EXPECT_EQ(value.data, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AddData,
    ::testing::Values(AddCase{"REG_SZ", "a%b%c", REG_SZ, TextBytes("a%b%c")},
                      AddCase{"reg_expand_sz", "%HOME%", REG_EXPAND_SZ, TextBytes("%HOME%")},
                      AddCase{"REG_MULTI_SZ", "a\\0b", REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
                      AddCase{"REG_DWORD", "4294967295", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
                      AddCase{"REG_DWORD", "0x2A", REG_DWORD, {0x2A, 0, 0, 0}},
                      AddCase{"REG_BINARY", "00ff10", REG_BINARY, {0x00, 0xFF, 0x10}},
                      AddCase{"REG_BINARY", "", REG_BINARY, {}}));

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

TEST_F(RegCommand, OverwritesAnExistingValueOnlyWhenForcedOrConfirmed) {
    Succeed({"add", kKey, "/v", "V", "/d", "first"});
    EXPECT_EQ(Run({"add", kKey, "/v", "V", "/d", "second"}).status, 1);
    ASSERT_EQ(questions_.size(), 1u);
    EXPECT_EQ(questions_[0], "Value V exists, overwrite(Yes/No)? ");
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

TEST(RegExecutable, ExitsWithStatusAndErrorLine) {
    TemporaryHives hives;
    const std::string output = (hives.Folder() / "output").string();
    const std::string command =
        std::string("XDG_CONFIG_HOME=") + hives.Folder().string() + " " + HORVANE_REG_PATH + " ";
    EXPECT_EQ(std::system((command + "add HKCU\\\\Software\\\\X /v V /d 1 >" + output).c_str()), 0);
    EXPECT_TRUE(std::filesystem::exists(hives.Folder() / "horvane" / "user.hive"));
    const int status = std::system((command + "query HKCU\\\\Nope 2>" + output).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::ifstream errors(output);
    std::string line;
    std::getline(errors, line);
    EXPECT_EQ(line, "ERROR: The system was unable to find the specified registry key or value.");
}
