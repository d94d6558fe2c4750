#include "settings/LongLat.h"
#include "tests/support/RawRegistry.h"
#include "tests/tools/RegCommandSupport.h"
#include "tools/reg/TextEncoding.h"

#include <fstream>
#include <iterator>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr const char* kStoreKey = "HKCU\\Software\\TallwickSoftware\\Horvane";

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::string Utf16File(const std::string& text) {
    const std::vector<std::uint8_t> bytes = reg::Utf16LeBytes(text);
    return "\xFF\xFE" + std::string(bytes.begin(), bytes.end());
}

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

class RegFile : public RegCommand {
protected:
    std::string QueryAll() { return Succeed({"query", kStoreKey, "/s"}); }

    // Points the registry at a second, empty pair of hives.
    void SwitchToEmptyHives() { other_ = std::make_unique<TemporaryHives>(); }

    std::unique_ptr<TemporaryHives> other_;
};

} // namespace

TEST_F(RegFile, ExportThenImportIntoAnEmptyHiveGivesTheSameQuery) {
    LongLat().LoadSettings();
    WriteAwkwardValues();
    const std::string before = QueryAll();
    const std::string file = File("store.reg");
    Succeed({"export", kStoreKey, file});
    SwitchToEmptyHives();
    Succeed({"import", file});
    EXPECT_EQ(QueryAll(), before);
    const RawValue invalid =
        ReadRaw(HKEY_CURRENT_USER, "Software\\TallwickSoftware\\Horvane\\Awkward \"keys\" [1]",
                "not utf-8");
    EXPECT_EQ(invalid.data, (std::vector<BYTE>{'a', 0xFF, 0xC3, 0}));
}

TEST_F(RegFile, ExportsUtf16WithByteOrderMarkAndCrLf) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\T\\Ciudad de México", "Latitude", REG_SZ,
             TextBytes("19.400N"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "Hand", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF});
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "Path", REG_EXPAND_SZ, TextBytes("%A%"));
    const std::string file = File("t.reg");
    Succeed({"export", "HKCU\\Software\\T", file});
    EXPECT_EQ(ReadFile(file), Utf16File("Windows Registry Editor Version 5.00\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\T]\r\n"
                                        "\"Hand\"=dword:ffffffff\r\n"
                                        "\"Path\"=hex(2):25,00,41,00,25,00,00,00\r\n\r\n"
                                        "[HKEY_CURRENT_USER\\Software\\T\\Ciudad de México]\r\n"
                                        "\"Latitude\"=\"19.400N\"\r\n\r\n"));
}

TEST_F(RegFile, ExportAsksBeforeReplacingAFile) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\T", "V", REG_SZ, TextBytes("1"));
    const std::string file = File("t.reg");
    WriteFile(file, "keep me");
    EXPECT_EQ(Run({"export", "HKCU\\Software\\T", file}).status, 1);
    EXPECT_EQ(ReadFile(file), "keep me");
    Succeed({"export", "HKCU\\Software\\T", file, "/y"});
    EXPECT_NE(ReadFile(file), "keep me");
    EXPECT_EQ(Run({"export", "HKCU\\Software\\Missing", File("m.reg")}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(File("m.reg")));
}

TEST_F(RegFile, ImportsNarrowFilesAndDeletions) {
    WriteRaw(HKEY_CURRENT_USER, "Software\\Old\\Child", "x", REG_SZ, TextBytes("1"));
    WriteRaw(HKEY_CURRENT_USER, "Software\\Keep", "gone", REG_SZ, TextBytes("1"));
    const std::string file = File("narrow.reg");
    WriteFile(file, "REGEDIT4\n\n; a comment\n[-HKEY_CURRENT_USER\\Software\\Old]\n\n"
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

namespace {

struct MalformedCase {
    const char* name;
    std::string body; // after the header
    int line;
};

class MalformedImport : public RegFile, public ::testing::WithParamInterface<MalformedCase> {};

} // namespace

TEST_P(MalformedImport, NamesTheLineAndChangesNothing) {
    LongLat().LoadSettings();
    const std::string before = QueryAll();
    const std::string file = File("bad.reg");
    WriteFile(file, Utf16File("Windows Registry Editor Version 5.00\r\n\r\n"
                              "[HKCU\\Software\\TallwickSoftware\\Horvane]\r\n"
                              "\"Location\"=\"Elsewhere\"\r\n" +
                              GetParam().body));
    const CommandResult result = Run({"import", file});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(
        result.err.rfind("ERROR: " + file + ", line " + std::to_string(GetParam().line) + ":", 0),
        0u)
        << result.err;
    EXPECT_EQ(QueryAll(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedImport,
    ::testing::Values(MalformedCase{"BadHex", "\"b\"=hex:01,2g\r\n", 5},
                      MalformedCase{"BadDword", "\"d\"=dword:123456789\r\n", 5},
                      MalformedCase{"Unterminated", "\"s\"=\"open\r\n", 5},
                      MalformedCase{"UnknownEscape", "\"s\"=\"a\\n\"\r\n", 5},
                      MalformedCase{"UnknownForm", "\"s\"=text\r\n", 5},
                      MalformedCase{"NoEquals", "\"s\" \"x\"\r\n", 5},
                      MalformedCase{"UnknownRoot", "\r\n[HKEY_USERS\\x]\r\n", 6},
                      MalformedCase{"OpenSection", "[HKCU\\Software\r\n", 5},
                      MalformedCase{"OddUtf16", "\"m\"=hex(7):61,00,62\r\n", 5},
                      MalformedCase{"ValueInDeletedKey", "[-HKCU\\Software\\X]\r\n\"v\"=\"1\"\r\n",
                                    6},
                      MalformedCase{"ContinuedHex", "\"b\"=hex:01,\\\r\n  zz\r\n", 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RegFile, RefusesAFileWithoutTheHeader) {
    const std::string file = File("plain.reg");
    WriteFile(file, "[HKCU\\Software\\X]\n\"v\"=\"1\"\n");
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
