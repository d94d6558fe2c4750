#include "platform/EnvironmentStrings.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;

TEST(EnvironmentStrings, ReplacesKnownNamesKeepsTheRestAndSaysTheSizeNeeded) {
    setenv("HORVANE_ROOT", "C:\\Windows", 1);
    unsetenv("HORVANE_UNSET");
    const std::pair<const char*, const char*> table[] = {
        {"%HORVANE_ROOT%\\system32", "C:\\Windows\\system32"},
        {"a%HORVANE_ROOT%b%HORVANE_ROOT%", "aC:\\WindowsbC:\\Windows"},
        {"%HORVANE_UNSET%", "%HORVANE_UNSET%"},
        {"%HORVANE_UNSET%HORVANE_ROOT%", "%HORVANE_UNSETC:\\Windows"},
        {"100%", "100%"},
        {"%%", "%%"}};
    for (const auto& [text, expanded] : table)
        EXPECT_EQ(ExpandEnvironmentText(text), expanded) << text;
    char buffer[11] = "untouched";
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", buffer, 10), 11u);
    EXPECT_STREQ(buffer, "untouched");
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", buffer, 11), 11u);
    EXPECT_STREQ(buffer, "C:\\Windows");
}
