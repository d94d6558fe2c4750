#include "platform/ShellExecute.h"
#include "tests/support/TemporaryHives.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

using namespace horvane;
using namespace horvane::test_support;
namespace fs = std::filesystem;

// A stand-in xdg-open on PATH waits until the test lets it go, then writes each argument it
// got on a line of its own. It is still waiting when the call returns, so the call did not
// wait. A local file goes as an absolute path, so that its name cannot pass for an option.
// Only a scheme of two characters or more makes an address.
TEST(DesktopLauncher, HandsOverOneUntouchedArgumentWithoutWaitingOrSaysWhyNot) {
    const TemporaryHives scratch; // a temporary folder, removed when the test ends
    const fs::path folder = scratch.Folder(), launcher = folder / "bin" / "xdg-open";
    const fs::path written = launcher.string() + ".out";
    WriteFileBytes(launcher, "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                             "for i in $(seq 200); do [ -e \"$0.go\" ] && break; sleep 0.05; done\n"
                             "printf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0.out\"\n");
    fs::permissions(launcher, fs::perms::owner_all);
    const std::string savedPath = std::getenv("PATH");
    setenv("PATH", launcher.parent_path().c_str(), 1);
    const auto open = [](const std::string& file, const std::string& directory = "",
                         const std::string& verb = "open", const std::string& parameters = "") {
        return ShellExecuteA(0, verb, file, parameters, directory, SW_SHOWNORMAL);
    };
    // What the launcher was given once let go (empty after 10 s); the next starts afresh.
    const auto argumentsWritten = [&] {
        WriteFileBytes(launcher.string() + ".go", "");
        for (int i = 0; i < 200 && !fs::exists(written); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        const std::string arguments = ReadFileBytes(written);
        fs::remove(written);
        return arguments;
    };

    const std::string address =
        "https://example.org/a b?x=$(touch " + (folder / "pwned").string() + ")&y=`id`;'\"|*";
    EXPECT_EQ(open(address), kShellRequestHandedOver);
    EXPECT_FALSE(fs::exists(written));
    EXPECT_EQ(argumentsWritten(), address + "\n");
    WriteFileBytes(folder / "docs" / "-v", "text");
    EXPECT_EQ(open("-v", (folder / "docs").string()), kShellRequestHandedOver);
    EXPECT_EQ(argumentsWritten(), (folder / "docs" / "-v").string() + "\n");
    EXPECT_FALSE(fs::exists(folder / "pwned"));
    // A scheme needs two letters at least: "x:notes" is a local file (as "C:" is a drive).
    WriteFileBytes(folder / "docs" / "x:notes", "text");
    EXPECT_EQ(open("x:notes", (folder / "docs").string()), kShellRequestHandedOver);
    EXPECT_EQ(argumentsWritten(), (folder / "docs" / "x:notes").string() + "\n");
    EXPECT_EQ(open("y:missing", (folder / "docs").string()), SE_ERR_FNF);

    const std::string notes = (folder / "docs" / "-v").string();
    EXPECT_EQ(open((folder / "missing.txt").string()), SE_ERR_FNF);
    EXPECT_EQ(open(""), SE_ERR_FNF);
    EXPECT_EQ(open("-v", (folder / "no such folder").string()), SE_ERR_PNF);
    EXPECT_EQ(open(notes, "", "print"), SE_ERR_NOASSOC);
    EXPECT_EQ(open(notes, "", "open", "--verbose"), SE_ERR_NOASSOC);
    setenv("PATH", (folder / "empty").c_str(), 1);
    EXPECT_EQ(open("https://example.org/"), SE_ERR_NOASSOC);
    EXPECT_FALSE(fs::exists(written));
    setenv("PATH", savedPath.c_str(), 1);
}
