#include "settings/CoordinateText.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

using namespace horvane;

namespace {

constexpr auto* kLat = ParseLatitude;
constexpr auto* kLong = ParseLongitude;

// Switches the C library to a German locale, compiling it into a temporary folder when the
// machine has none installed; answers false when that is impossible.
bool UseDecimalCommaLocale() {
    if (std::setlocale(LC_ALL, "de_DE.UTF-8"))
        return true;
    const std::string folder = testing::TempDir() + "horvane-locales";
    const std::string command = "mkdir -p '" + folder + "' && localedef -i de_DE -f UTF-8 '" +
                                folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0)
        return false;
    setenv("LOCPATH", folder.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

} // namespace

TEST(CoordinateText, ReadsTheNumberAndItsHemisphere) {
    const std::tuple<const char*, bool (*)(std::string_view, double&), double> rows[] = {
        {"43.089n", kLat, 43.089},    {"6.167S", kLat, -6.167},     {"-33.917", kLat, -33.917},
        {"90N", kLat, 90.0},          {"90S", kLat, -90.0},         {"-5N", kLat, -5.0},
        {" 43.089S", kLat, -43.089},  {"43.089 S ", kLat, -43.089}, {"87.888W", kLong, -87.888},
        {"151.217E", kLong, 151.217}, {"\t.105w", kLong, -0.105},   {"180W", kLong, -180.0}};
    for (const auto& [text, parse, expected] : rows) {
        double value = 0;
        EXPECT_TRUE(parse(text, value)) << '"' << text << '"';
        EXPECT_EQ(value, expected) << '"' << text << '"';
    }
}

TEST(CoordinateText, RefusesAnyOtherTextAndLeavesTheValueAlone) {
    const auto expectRefused = [](auto parse, std::initializer_list<const char*> texts) {
        for (const char* text : texts) {
            double value = 7;
            EXPECT_FALSE(parse(text, value)) << '"' << text << '"';
            EXPECT_EQ(value, 7) << '"' << text << '"';
        }
    };
    expectRefused(kLat,
                  {"90.001N", "-5S", "", "N", "12x", "nan", "infN", "43,089N", "4 3N", "87.888W"});
    expectRefused(kLong, {"180.5E", "43.089N"});
}

TEST(CoordinateText, ADecimalCommaLocaleStillReadsTheDecimalPoint) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!UseDecimalCommaLocale())
        GTEST_SKIP() << "no decimal-comma locale available";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    double latitude = 0, longitude = 0;
    EXPECT_TRUE(ParseLatitude("43.089N", latitude) && ParseLongitude(".105W", longitude));
    EXPECT_EQ(std::pair(latitude, longitude), std::pair(43.089, -0.105));
    std::setlocale(LC_ALL, previous.c_str());
}
