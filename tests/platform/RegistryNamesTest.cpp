#include "platform/registry/RegistryNames.h"

#include <gtest/gtest.h>

using namespace horvane;

namespace {

struct PathCase {
    std::string path;
    bool valid;
    std::vector<std::string> names;
};

class KeyPathSplitting : public ::testing::TestWithParam<PathCase> {};

} // namespace

TEST_P(KeyPathSplitting, SplitsIntoKeyNamesOrRefuses) {
    std::vector<std::string> names{"left over"};
    EXPECT_EQ(SplitKeyPath(GetParam().path, names), GetParam().valid) << GetParam().path;
    if (GetParam().valid) {
        EXPECT_EQ(names, GetParam().names);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, KeyPathSplitting,
    ::testing::Values(PathCase{"", true, {}},
                      PathCase{
                          "Software\\TallwickSoftware", true, {"Software", "TallwickSoftware"}},
                      PathCase{"Locations\\", true, {"Locations"}},
                      PathCase{"Ciudad de México, México", true, {"Ciudad de México, México"}},
                      PathCase{"\\", false, {}}, PathCase{"\\Software", false, {}},
                      PathCase{"a\\\\b", false, {}}, PathCase{"a\\\\", false, {}},
                      PathCase{"bad\xC3(", false, {}},
                      PathCase{std::string(255, 'k'), true, {std::string(255, 'k')}},
                      PathCase{std::string(256, 'k'), false, {}}));

TEST(KeyNames, CountTheLimitInCharactersNotBytes) {
    std::string accented;
    for (int i = 0; i < 255; ++i)
        accented += "é";
    EXPECT_TRUE(IsValidKeyName(accented));
    EXPECT_FALSE(IsValidKeyName(accented + "é"));
}

TEST(KeyNames, RefuseMalformedText) {
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong slash
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_TRUE(IsValidUtf8("Moskva, Россия, 東京"));
}

TEST(KeyNames, FoldWithoutRegardToCaseInEveryScript) {
    EXPECT_EQ(FoldName("Ciudad de México"), FoldName("ciudad de méxico"));
    EXPECT_EQ(FoldName("CIUDAD DE MÉXICO"), FoldName("ciudad de méxico"));
    EXPECT_EQ(FoldName("МОСКВА"), FoldName("москва"));
    EXPECT_EQ(FoldName("ΟΔΥΣΣΕΥΣ"), FoldName("οδυσσευς"));
    EXPECT_NE(FoldName("London"), FoldName("Londön"));
}
