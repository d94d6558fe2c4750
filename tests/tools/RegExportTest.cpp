// horvane-reg export: the exact text of the file, how the file is written, and trees
// deeper than a small stack could recurse through.

#include "tests/tools/RegCommandFixture.h"

#include <cstdlib>
#include <numeric>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using Names = std::vector<std::string>;

namespace {

class RegExport : public RegCommand {
protected:
    void SetUp() override { Put("Software\\T", "V", "1"); }
    // A file in a folder of its own, to see what else an export leaves there.
    std::string Out(const std::string& name) const { return File("out/" + name); }
    Names OutFolder() const { return FolderNames(Out("")); }
    CommandResult Export(const std::string& key, const std::string& file, bool replace = false) {
        std::filesystem::create_directories(Out(""));
        std::vector<std::string> arguments = {"export", "HKCU\\Software\\" + key, file};
        if (replace)
            arguments.push_back("/y");
        return Run(arguments);
    }
};

std::filesystem::perms ModeOf(const std::string& path) {
    return std::filesystem::status(path).permissions();
}

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
    EXPECT_EQ(Export("W", Out("w.reg")).err, "");
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
    EXPECT_EQ(Export("T", file).status, 1);
    EXPECT_EQ(ReadFileBytes(file), "old");
    EXPECT_EQ(Export("T", file, true).err, "");
    EXPECT_EQ(ReadFileBytes(file).substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(ModeOf(file), std::filesystem::perms(0604));
    EXPECT_EQ(ReadFileBytes(File("victim")), "precious");
    EXPECT_EQ(ReadFileBytes(file + ".tmp"), "someone's");
    EXPECT_EQ(OutFolder(), (Names{"t.reg", "t.reg.partial", "t.reg.tmp"}));
}

TEST_F(RegExport, ANewFileTakesTheUmaskAndItsNameAsTheBytesGivenAndAFailureLeavesNoFile) {
    const mode_t previous = umask(027);
    const std::string file = Out("caf\xE9 \xFF.reg"); // not UTF-8
    EXPECT_EQ(Export("T", file).err, "");
    umask(previous);
    EXPECT_EQ(ModeOf(file), std::filesystem::perms(0640));
    std::filesystem::create_directory(Out("folder.reg"));
    const CommandResult toFolder = Export("T", Out("folder.reg"), true);
    EXPECT_EQ(
        std::make_pair(toFolder.status, toFolder.err),
        std::make_pair(1, "ERROR: Cannot write " + Out("folder.reg") + ": Is a directory.\n"));
    EXPECT_EQ(Export("Missing", Out("m.reg")).status, 1);
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
    EXPECT_NE(RunOnSmallStack(folder, "query HKCU\\\\Software\\\\Deep /v v /s")
                  .out.find("End of search: 1 match(es) found."),
              std::string::npos);
    EXPECT_EQ(RunOnSmallStack(folder, "delete HKCU\\\\Software\\\\Deep /f").status, 0);
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, "Software\\Deep").empty());
    const CommandResult missing = RunOnSmallStack(folder, "query HKCU\\\\Software\\\\Deep");
    EXPECT_EQ(std::make_pair(missing.status, missing.out.substr(0, missing.out.find('\n'))),
              std::make_pair(1, std::string("ERROR: The system was unable to find the specified "
                                            "registry key or value.")));
}

} // namespace
