#include "platform/EnvironmentStrings.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;

TEST(EnvironmentStrings, ReplacesKnownNamesAndKeepsTheRest) {
    setenv("HORVANE_ROOT", "C:\\Windows", 1);
    unsetenv("HORVANE_UNSET");
    const std::pair<const char*, const char*> table[] = {
        {"%HORVANE_ROOT%\\system32", "C:\\Windows\\system32"},
        {"a%HORVANE_ROOT%b%HORVANE_ROOT%", "aC:\\WindowsbC:\\Windows"},
        {"%HORVANE_UNSET%", "%HORVANE_UNSET%"},
        {"%HORVANE_UNSET%HORVANE_ROOT%", "%HORVANE_UNSETC:\\Windows"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"", ""}};
    for (const auto& [text, expanded] : table)
        EXPECT_EQ(ExpandEnvironmentText(text), expanded) << text;
}

TEST(EnvironmentStrings, ReportsTheSizeNeededBeforeWriting) {
    setenv("HORVANE_ROOT", "C:\\Windows", 1);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", nullptr, 0), 11u);
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", small, sizeof small), 11u);
    EXPECT_EQ(small[0], 'x');
    char buffer[11];
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", buffer, sizeof buffer), 11u);
    EXPECT_STREQ(buffer, "C:\\Windows");
}
