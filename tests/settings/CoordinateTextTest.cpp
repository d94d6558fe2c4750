#include "settings/CoordinateText.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

using namespace horvane;

namespace {

struct CoordinateCase {
    std::string text;
    std::optional<double> expected; // nullopt: invalid
};

constexpr double kUnchanged = 12345.0;

void ExpectParse(bool (*parse)(std::string_view, double&), const CoordinateCase& row) {
    double value = kUnchanged;
    const bool valid = parse(row.text, value);
    EXPECT_EQ(valid, row.expected.has_value()) << '"' << row.text << '"';
    EXPECT_EQ(value, row.expected.value_or(kUnchanged)) << '"' << row.text << '"';
}

class LatitudeText : public testing::TestWithParam<CoordinateCase> {};
class LongitudeText : public testing::TestWithParam<CoordinateCase> {};

} // namespace

TEST_P(LatitudeText, ParsesOrLeavesValueUnchanged) {
    ExpectParse(ParseLatitude, GetParam());
}
TEST_P(LongitudeText, ParsesOrLeavesValueUnchanged) {
    ExpectParse(ParseLongitude, GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LatitudeText,
    testing::Values(CoordinateCase{"43.089N", 43.089}, CoordinateCase{"43.089n", 43.089},
                    CoordinateCase{"6.167S", -6.167}, CoordinateCase{"43.089", 43.089},
                    CoordinateCase{"-33.917", -33.917}, CoordinateCase{"90N", 90.0},
                    CoordinateCase{"90S", -90.0}, CoordinateCase{"-90", -90.0},
                    CoordinateCase{"0N", 0.0}, CoordinateCase{"-5N", -5.0},
                    CoordinateCase{"90.001N", std::nullopt}, CoordinateCase{"-5S", std::nullopt},
                    CoordinateCase{"", std::nullopt}, CoordinateCase{"N", std::nullopt},
                    CoordinateCase{"12x", std::nullopt}, CoordinateCase{"abc", std::nullopt},
                    CoordinateCase{"nan", std::nullopt}, CoordinateCase{"infN", std::nullopt},
                    CoordinateCase{"43,089N", std::nullopt}, CoordinateCase{"4 3N", std::nullopt},
                    CoordinateCase{" 43.089S", -43.089}, CoordinateCase{"43.089 S ", -43.089},
                    CoordinateCase{" 43.089N ", 43.089}, CoordinateCase{"87.888W", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Table, LongitudeText,
    testing::Values(CoordinateCase{"87.888W", -87.888}, CoordinateCase{"151.217E", 151.217},
                    CoordinateCase{"114.150e", 114.150}, CoordinateCase{".105W", -0.105},
                    CoordinateCase{"-87.888", -87.888}, CoordinateCase{"180W", -180.0},
                    CoordinateCase{"0E", 0.0}, CoordinateCase{"180.5E", std::nullopt},
                    CoordinateCase{"87.888N", std::nullopt}, CoordinateCase{"W", std::nullopt},
                    CoordinateCase{"-1W", std::nullopt}, CoordinateCase{"\t.105W", -0.105}));

namespace {

// Switches the C library to a German locale, compiling it into a temporary
// folder when the machine has none installed; answers false when that is
// impossible.
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

TEST(CoordinateTextLocale, DecimalCommaLocaleStillReadsDecimalPoint) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (!UseDecimalCommaLocale())
        GTEST_SKIP() << "no decimal-comma locale available";
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    double latitude = 0, longitude = 0;
    EXPECT_TRUE(ParseLatitude("43.089N", latitude) && ParseLongitude(".105W", longitude));
    EXPECT_EQ(std::pair(latitude, longitude), std::pair(43.089, -0.105));
    std::setlocale(LC_ALL, previous.c_str());
}
