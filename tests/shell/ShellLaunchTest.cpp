#include "shell/mShellExecute.h"

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;

namespace {

// In place of the shell for the whole test program: records each request and answers `answer`.
std::vector<ShellExecuteRequest> requests;
std::intptr_t answer = kShellRequestHandedOver;
const ShellExecuteHandler realShell =
    SetShellExecuteHandler([](const ShellExecuteRequest& request) {
        requests.push_back(request);
        return answer;
    });

// The number, source and message of the last error after a launch the shell answers with
// code, another's error left behind; the launch answers false exactly when there is an error.
std::tuple<std::int32_t, std::string, std::string> ErrorAfter(std::intptr_t code) {
    answer = 2;
    ShellLaunch("first", 1, "", "", "open", 0);
    answer = code;
    const bool launched = ShellLaunch("page", 10, "", "", "open", 0);
    const ShellErrorRecord& error = ShellError();
    EXPECT_EQ(launched, error.number == 0) << code;
    return {error.number, error.source, error.description};
}

} // namespace

// Without parameters and directory the window is always normal; otherwise a program (".EXE"
// anywhere, any case) starts hidden and anything else as asked.
TEST(ShellLaunch, PassesTheCallOnShowingTheApplicationAsTheCallFormSays) {
    const std::tuple<const char*, std::int32_t, const char*, const char*, std::int32_t> rows[] = {
        {"https://example.org/countries.aspx", SW_SHOWDEFAULT, "", "", SW_SHOWNORMAL},
        {"C:\\Temp\\SETUP.EXE", SW_SHOWNORMAL, "/q", "", SW_HIDE},
        {"/tmp/setup.exe", SW_SHOWNORMAL, "", "/tmp", SW_HIDE},
        {"/tmp/a.Exe.txt", SW_SHOWDEFAULT, "/q", "", SW_HIDE},
        {"C:\\Temp\\SETUP.EXE", SW_HIDE, "", "", SW_SHOWNORMAL},
        {"notes.txt", 3, "-v", "/tmp", 3}};
    answer = kShellRequestHandedOver;
    for (const auto& [file, showState, parameters, directory, shownWith] : rows) {
        EXPECT_TRUE(ShellLaunch(file, showState, parameters, directory, "print", 77));
        const ShellExecuteRequest& r = requests.back();
        EXPECT_EQ(std::tie(r.owner, r.verb, r.file, r.parameters, r.directory, r.showCommand),
                  std::make_tuple(77, "print", file, parameters, directory, shownWith))
            << file << " " << showState;
    }
}

// Codes above 32 and negative codes are success.
TEST(ShellLaunch, AFailureKeepsTheNumberSourceAndMessageOfItsCodeASuccessClearsThem) {
    for (const std::intptr_t code : {33L, 4096L, -1L, 0x80000000L})
        EXPECT_EQ(ErrorAfter(code), std::make_tuple(0, "", "")) << code;
    constexpr std::int32_t kBase = -2147220456;
    const std::string retry = ".  Please try again in a moment.";
    const std::tuple<std::intptr_t, std::int32_t, std::string> rows[] = {
        {0, 7, "Out of memory"},
        {2, 53, "File not found"},
        {3, 76, "Path not found"},
        {5, 75, "Path/file access error"},
        {8, 7, "Out of memory"},
        {11, kBase + 11, "The executable file is invalid or corrupt"},
        {26, 75, "A sharing violation occurred."},
        {27, kBase + 27, "This file type does not have a valid file association."},
        {28, 286, "The file could not be opened due to time out" + retry},
        {29, 285, "The file could not be opened because the DDE transaction failed" + retry},
        {30, 285, "The file could not be opened because the target application is busy" + retry},
        {31, kBase + 31, "No application is associated with this file type."},
        {32, 48, "The specified dynamic-link library was not found."}};
    for (const auto& [code, number, description] : rows)
        EXPECT_EQ(ErrorAfter(code), std::tuple(number, "shell_tests.GShell", description)) << code;
    const char* const other =
        "An error occurred occurred whilst trying to open or print the selected file.";
    for (const std::int32_t code : {1, 4, 6, 7, 9, 10, 12, 18, 25})
        EXPECT_EQ(ErrorAfter(code), std::tuple(kBase + code, "shell_tests.GShell", other)) << code;
}
