#include "shell/mShellExecute.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;

namespace {

// Puts a recording shell in place for one test; it answers `result_` to every
// call.
class ScriptedShell : public ::testing::Test {
protected:
    ScriptedShell() {
        previous_ = SetShellExecuteHandler([this](const ShellExecuteRequest& request) {
            requests_.push_back(request);
            return result_;
        });
    }
    ~ScriptedShell() override { SetShellExecuteHandler(previous_); }

    std::intptr_t result_ = kShellRequestHandedOver;
    std::vector<ShellExecuteRequest> requests_;

private:
    ShellExecuteHandler previous_;
};

struct ShowStateCase {
    const char* file;
    std::int32_t showState;
    const char* parameters;
    const char* directory;
    std::int32_t shownWith;
};

class ShellShowState : public ScriptedShell, public ::testing::WithParamInterface<ShowStateCase> {};

struct FailureCase {
    std::intptr_t code;
    std::int32_t number;
    const char* description;
};

class ShellFailure : public ScriptedShell, public ::testing::WithParamInterface<FailureCase> {};

constexpr std::int32_t kBase = -2147220456;
const char* const kOther = "An error occurred occurred whilst trying to open "
                           "or print the selected file.";

} // namespace

// Every argument reaches the shell. Without parameters and directory the window
// is always normal; otherwise a program (".EXE" anywhere, any case) starts
// hidden and anything else as asked.
TEST_P(ShellShowState, PassesTheCallOnShowingTheApplicationAsTheCallFormSays) {
    const ShowStateCase& c = GetParam();
    EXPECT_TRUE(ShellLaunch(c.file, c.showState, c.parameters, c.directory, "print", 77));
    ASSERT_EQ(requests_.size(), 1u);
    const ShellExecuteRequest& r = requests_[0];
    EXPECT_EQ(std::tie(r.owner, r.verb, r.file, r.parameters, r.directory, r.showCommand),
              std::make_tuple(77, "print", c.file, c.parameters, c.directory, c.shownWith));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShellShowState,
    ::testing::Values(ShowStateCase{"https://example.org/countries.aspx", SW_SHOWDEFAULT, "", "",
                                    SW_SHOWNORMAL},
                      ShowStateCase{"C:\\Temp\\SETUP.EXE", SW_SHOWNORMAL, "/q", "", SW_HIDE},
                      ShowStateCase{"/tmp/setup.exe", SW_SHOWNORMAL, "", "/tmp", SW_HIDE},
                      ShowStateCase{"/tmp/a.Exe.txt", SW_SHOWDEFAULT, "/q", "", SW_HIDE},
                      ShowStateCase{"C:\\Temp\\SETUP.EXE", SW_HIDE, "", "", SW_SHOWNORMAL},
                      ShowStateCase{"notes.txt", 3, "-v", "/tmp", 3}));

TEST_F(ScriptedShell, CountsCodesAbove32AndNegativeCodesAsSuccess) {
    for (const std::intptr_t code :
         std::initializer_list<std::intptr_t>{33, 4096, -1, 0x80000000}) {
        result_ = 2;
        ShellLaunch("first", 1, "", "", "open", 0); // leaves an error behind
        result_ = code;
        EXPECT_TRUE(ShellLaunch("x", 1, "", "", "open", 0)) << code;
        EXPECT_EQ(ShellError().number, 0) << code;
        EXPECT_EQ(ShellError().description, "") << code;
    }
}

TEST_P(ShellFailure, KeepsTheNumberSourceAndMessage) {
    result_ = GetParam().code;
    EXPECT_FALSE(ShellLaunch("page", 10, "", "", "open", 0));
    EXPECT_EQ(ShellError().number, GetParam().number);
    EXPECT_EQ(ShellError().description, GetParam().description);
    EXPECT_EQ(ShellError().source, "shell_tests.GShell");
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShellFailure,
    ::testing::Values(
        FailureCase{0, 7, "Out of memory"}, FailureCase{1, -2147220455, kOther},
        FailureCase{2, 53, "File not found"}, FailureCase{3, 76, "Path not found"},
        FailureCase{4, kBase + 4, kOther}, FailureCase{5, 75, "Path/file access error"},
        FailureCase{6, kBase + 6, kOther}, FailureCase{7, kBase + 7, kOther},
        FailureCase{8, 7, "Out of memory"}, FailureCase{9, kBase + 9, kOther},
        FailureCase{10, kBase + 10, kOther},
        FailureCase{11, kBase + 11, "The executable file is invalid or corrupt"},
        FailureCase{12, kBase + 12, kOther}, FailureCase{18, kBase + 18, kOther},
        FailureCase{25, kBase + 25, kOther}, FailureCase{26, 75, "A sharing violation occurred."},
        FailureCase{27, kBase + 27, "This file type does not have a valid file association."},
        FailureCase{28, 286,
                    "The file could not be opened due to time out.  Please try "
                    "again in a "
                    "moment."},
        FailureCase{29, 285,
                    "The file could not be opened because the DDE transaction "
                    "failed.  Please "
                    "try again in a moment."},
        FailureCase{30, 285,
                    "The file could not be opened because the target "
                    "application is busy.  "
                    "Please try again in a moment."},
        FailureCase{31, kBase + 31, "No application is associated with this file type."},
        FailureCase{32, 48, "The specified dynamic-link library was not found."}));
