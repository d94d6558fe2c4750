#include "platform/ShellExecute.h"
#include "tests/support/TemporaryHives.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

using namespace horvane;
using namespace horvane::test_support;
namespace fs = std::filesystem;

namespace {

// A stand-in xdg-open on PATH: waits until the test lets it go, then writes each argument it
// got on a line of its own.
class DesktopLauncher : public ::testing::Test {
protected:
    DesktopLauncher() {
        WriteFileBytes(launcher_,
                       "#!/bin/sh\nPATH=/usr/bin:/bin\n"
                       "for i in $(seq 200); do [ -e \"$0.go\" ] && break; sleep 0.05; done\n"
                       "printf '%s\\n' \"$@\" > \"$0.part\" && mv \"$0.part\" \"$0.out\"\n");
        fs::permissions(launcher_, fs::perms::owner_all);
        setenv("PATH", launcher_.parent_path().c_str(), 1);
    }
    ~DesktopLauncher() override { setenv("PATH", savedPath_.c_str(), 1); }

    // What the launcher was given, once let go (empty after 10 s).
    std::string ArgumentsWritten() const {
        WriteFileBytes(launcher_.string() + ".go", "");
        for (int i = 0; i < 200 && !fs::exists(Written()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return ReadFileBytes(Written());
    }
    fs::path Written() const { return launcher_.string() + ".out"; }
    static std::intptr_t Open(const std::string& file, const std::string& directory = "",
                              const std::string& verb = "open",
                              const std::string& parameters = "") {
        return ShellExecuteA(0, verb, file, parameters, directory, SW_SHOWNORMAL);
    }

    const TemporaryHives scratch_; // a temporary folder, removed when the test ends
    const fs::path folder_ = scratch_.Folder();
    const fs::path launcher_ = folder_ / "bin" / "xdg-open";
    const std::string savedPath_ = std::getenv("PATH");
};

} // namespace

// The launcher is still waiting when the call returns, so the call did not wait. A local
// file goes as an absolute path, so that its name cannot pass for an option.
TEST_F(DesktopLauncher, HandsOverOneUntouchedArgumentWithoutWaiting) {
    const std::string address =
        "https://example.org/a b?x=$(touch " + (folder_ / "pwned").string() + ")&y=`id`;'\"|*";
    EXPECT_EQ(Open(address), kShellRequestHandedOver);
    EXPECT_FALSE(fs::exists(Written()));
    EXPECT_EQ(ArgumentsWritten(), address + "\n");
    fs::remove(Written());
    WriteFileBytes(folder_ / "docs" / "-v", "text");
    EXPECT_EQ(Open("-v", (folder_ / "docs").string()), kShellRequestHandedOver);
    EXPECT_EQ(ArgumentsWritten(), (folder_ / "docs" / "-v").string() + "\n");
    EXPECT_FALSE(fs::exists(folder_ / "pwned"));
}

TEST_F(DesktopLauncher, MapsWhatCannotBeDoneToShellCodes) {
    const std::string notes = (folder_ / "notes.txt").string();
    WriteFileBytes(notes, "text");
    EXPECT_EQ(Open((folder_ / "missing.txt").string()), SE_ERR_FNF);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_EQ(Open("notes.txt", (folder_ / "no such folder").string()), SE_ERR_PNF);
    EXPECT_EQ(Open(notes, "", "print"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(notes, "", "open", "--verbose"), SE_ERR_NOASSOC);
    setenv("PATH", (folder_ / "empty").c_str(), 1);
    EXPECT_EQ(Open("https://example.org/"), SE_ERR_NOASSOC);
    EXPECT_FALSE(fs::exists(Written()));
}
