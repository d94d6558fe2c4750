#include "platform/EnvironmentStrings.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;

namespace {

struct ExpansionCase {
    const char* text;
    const char* expanded;
};

class EnvironmentExpansion : public ::testing::TestWithParam<ExpansionCase> {
protected:
    static void SetUpTestSuite() {
        setenv("HORVANE_ROOT", "C:\\Windows", 1);
        unsetenv("HORVANE_UNSET");
    }
};

} // namespace

TEST_P(EnvironmentExpansion, ReplacesKnownNamesAndKeepsTheRest) {
    EXPECT_EQ(ExpandEnvironmentText(GetParam().text), GetParam().expanded);
}

INSTANTIATE_TEST_SUITE_P(
    Table, EnvironmentExpansion,
    ::testing::Values(ExpansionCase{"%HORVANE_ROOT%\\system32", "C:\\Windows\\system32"},
                      ExpansionCase{"a%HORVANE_ROOT%b%HORVANE_ROOT%", "aC:\\WindowsbC:\\Windows"},
                      ExpansionCase{"%HORVANE_UNSET%", "%HORVANE_UNSET%"},
                      ExpansionCase{"%HORVANE_UNSET%HORVANE_ROOT%", "%HORVANE_UNSETC:\\Windows"},
                      ExpansionCase{"100%", "100%"}, ExpansionCase{"%%", "%%"},
                      ExpansionCase{"", ""}));

TEST(EnvironmentStrings, ReportsTheSizeNeededBeforeWriting) {
    setenv("HORVANE_ROOT", "C:\\Windows", 1);
    const std::uint32_t needed = ExpandEnvironmentStringsA("%HORVANE_ROOT%", nullptr, 0);
    ASSERT_EQ(needed, 11u);
    char small[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", small, sizeof small), 11u);
    EXPECT_EQ(small[0], 'x');
    char buffer[11];
    EXPECT_EQ(ExpandEnvironmentStringsA("%HORVANE_ROOT%", buffer, sizeof buffer), 11u);
    EXPECT_STREQ(buffer, "C:\\Windows");
}
