#include "platform/registry/RegistryNames.h"

#include <gtest/gtest.h>

using namespace horvane;

// Names are limited in characters, not bytes, and must be well-formed UTF-8: no
// overlong form, no surrogate, nothing beyond U+10FFFF.
TEST(KeyNames, SplitAPathIntoKeyNamesOrRefuseIt) {
    std::string longest;
    for (int i = 0; i < 255; ++i)
        longest += "é";
    const std::pair<std::string, std::vector<std::string>> valid[] = {
        {"", {}},
        {"Software\\TallwickSoftware", {"Software", "TallwickSoftware"}},
        {"Locations\\", {"Locations"}},
        {"Moskva, Россия, 東京\\a", {"Moskva, Россия, 東京", "a"}},
        {longest, {longest}}};
    for (const auto& [path, expected] : valid) {
        std::vector<std::string> names{"left over"};
        EXPECT_TRUE(SplitKeyPath(path, names)) << path;
        EXPECT_EQ(names, expected);
    }
    for (const std::string& path :
         {std::string("\\"), std::string("\\Software"), std::string("a\\\\b"), std::string("a\\\\"),
          std::string("bad\xC3("), std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
          std::string("\xF4\x90\x80\x80"), std::string(256, 'k'), longest + "é"}) {
        std::vector<std::string> names;
        EXPECT_FALSE(SplitKeyPath(path, names)) << path;
    }
}

TEST(KeyNames, FoldWithoutRegardToCaseInEveryScript) {
    EXPECT_EQ(FoldName("Ciudad de México"), FoldName("ciudad de méxico"));
    EXPECT_EQ(FoldName("CIUDAD DE MÉXICO"), FoldName("ciudad de méxico"));
    EXPECT_EQ(FoldName("МОСКВА"), FoldName("москва"));
    EXPECT_EQ(FoldName("ΟΔΥΣΣΕΥΣ"), FoldName("οδυσσευς"));
    EXPECT_NE(FoldName("London"), FoldName("Londön"));
}
