#include "platform/ShellExecute.h"
#include "tests/support/TemporaryHives.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

using namespace horvane;
using namespace horvane::test_support;
namespace fs = std::filesystem;

namespace {

// A stand-in xdg-open on PATH: waits until the test says "go", then writes each argument
// it got on a line of its own.
class DesktopLauncher : public ::testing::Test {
protected:
    DesktopLauncher() {
        std::string pattern = (fs::temp_directory_path() / "horvane-launcher-XXXXXX");
        folder_ = mkdtemp(pattern.data());
        const fs::path script = folder_ / "bin" / "xdg-open";
        WriteFileBytes(script, R"(#!/bin/sh
PATH=/usr/bin:/bin
folder="$(dirname "$0")/.."
i=0
while [ ! -e "$folder/go" ] && [ $i -lt 200 ]; do sleep 0.05; i=$((i+1)); done
printf '%s\n' "$@" > "$folder/arguments.part"
mv "$folder/arguments.part" "$folder/arguments"
)");
        fs::permissions(script, fs::perms::owner_all);
        savedPath_ = std::getenv("PATH");
        setenv("PATH", (folder_ / "bin").c_str(), 1);
    }
    ~DesktopLauncher() override {
        setenv("PATH", savedPath_.c_str(), 1);
        fs::remove_all(folder_);
    }

    fs::path Go() const { return folder_ / "go"; }
    fs::path Written() const { return folder_ / "arguments"; }

    // What the launcher was given, once it has written it (empty after 10 s).
    std::string ArgumentsWritten() const {
        WriteFileBytes(Go(), "");
        for (int i = 0; i < 200 && !fs::exists(Written()); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return ReadFileBytes(Written());
    }

    static std::intptr_t Open(const std::string& file, const std::string& directory = "",
                              const std::string& verb = "open",
                              const std::string& parameters = "") {
        return ShellExecuteA(0, verb, file, parameters, directory, SW_SHOWNORMAL);
    }

    fs::path folder_;
    std::string savedPath_;
};

} // namespace

// The launcher is still waiting for "go" when the call returns, so the call did not wait.
TEST_F(DesktopLauncher, HandsAnAddressOverAsOneArgumentWithoutWaiting) {
    const std::string address =
        "https://example.org/a b?x=$(touch " + (folder_ / "pwned").string() + ")&y=`id`;'\"|*";
    EXPECT_EQ(Open(address), kShellRequestHandedOver);
    EXPECT_FALSE(fs::exists(Written()));
    EXPECT_EQ(ArgumentsWritten(), address + "\n");
    EXPECT_FALSE(fs::exists(folder_ / "pwned"));
}

TEST_F(DesktopLauncher, GivesALocalFileAsAnAbsolutePath) {
    WriteFileBytes(folder_ / "docs" / "-v", "text");
    EXPECT_EQ(Open("-v", (folder_ / "docs").string()), kShellRequestHandedOver);
    EXPECT_EQ(ArgumentsWritten(), (folder_ / "docs" / "-v").string() + "\n");
}

TEST_F(DesktopLauncher, MapsWhatCannotBeDoneToShellCodes) {
    WriteFileBytes(folder_ / "notes.txt", "text");
    const std::string notes = (folder_ / "notes.txt").string();
    EXPECT_EQ(Open((folder_ / "missing.txt").string()), SE_ERR_FNF);
    EXPECT_EQ(Open(""), SE_ERR_FNF);
    EXPECT_EQ(Open("notes.txt", (folder_ / "no such folder").string()), SE_ERR_PNF);
    EXPECT_EQ(Open(notes, "", "print"), SE_ERR_NOASSOC);
    EXPECT_EQ(Open(notes, "", "open", "--verbose"), SE_ERR_NOASSOC);
    setenv("PATH", (folder_ / "empty").c_str(), 1);
    EXPECT_EQ(Open("https://example.org/"), SE_ERR_NOASSOC);
    EXPECT_FALSE(fs::exists(Written()));
}
