#include "settings/CoordinateText.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
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

// An invalid text (nullopt) leaves the value as it was.
TEST(CoordinateText, ReadsTheNumberAndItsHemisphereOrLeavesTheValueAlone) {
    constexpr double kUnchanged = 12345.0;
    const std::tuple<const char*, bool (*)(std::string_view, double&), std::optional<double>>
        rows[] = {{"43.089n", kLat, 43.089},
                  {"6.167S", kLat, -6.167},
                  {"-33.917", kLat, -33.917},
                  {"90N", kLat, 90.0},
                  {"90S", kLat, -90.0},
                  {"-5N", kLat, -5.0},
                  {" 43.089S", kLat, -43.089},
                  {"43.089 S ", kLat, -43.089},
                  {"90.001N", kLat, std::nullopt},
                  {"-5S", kLat, std::nullopt},
                  {"", kLat, std::nullopt},
                  {"N", kLat, std::nullopt},
                  {"12x", kLat, std::nullopt},
                  {"nan", kLat, std::nullopt},
                  {"infN", kLat, std::nullopt},
                  {"43,089N", kLat, std::nullopt},
                  {"4 3N", kLat, std::nullopt},
                  {"87.888W", kLat, std::nullopt},
                  {"87.888W", kLong, -87.888},
                  {"151.217E", kLong, 151.217},
                  {"\t.105w", kLong, -0.105},
                  {"180W", kLong, -180.0},
                  {"180.5E", kLong, std::nullopt},
                  {"43.089N", kLong, std::nullopt}};
    for (const auto& [text, parse, expected] : rows) {
        double value = kUnchanged;
        const bool valid = parse(text, value);
        EXPECT_EQ(std::pair(valid, value),
                  std::pair(expected.has_value(), expected.value_or(kUnchanged)))
            << '"' << text << '"';
    }
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
