#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>
#include <vector>

using namespace horvane;

namespace {

constexpr double kOneSecond = 1.0 / kSecondsPerDay;

DateSerial At(int year, int month, int day, int hour, int minute, int second) {
    return ToDateSerial({year, month, day, hour, minute, second});
}

// To the whole second, as the board shows event times.
std::string Stamp(DateSerial serial) {
    const CivilDateTime c = ToCivil(serial);
    char text[32];
    std::snprintf(text, sizeof text, "%d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second);
    return text;
}

} // namespace

TEST(Frac, IsNeverNegative) {
    for (const auto& [value, fraction] :
         {std::pair{2.75, 0.75}, {-2.75, 0.25}, {3.0, 0.0}, {-0.25, 0.75}})
        EXPECT_EQ(Frac(value), fraction) << value;
}

// Greenwich at midnight of J2000; fifteen degrees east is an hour ahead.
TEST(SiderealTime, GreenwichAtJ2000AndAnHourPerFifteenDegreesEast) {
    EXPECT_NEAR(LocalSiderealHours(-0.5, 0), 6.66452, 0.5e-5);
    for (double dayCount : {-3650.25, -0.5, 0.0, 9834.3, 12000.77}) {
        const double ahead = LocalSiderealHours(dayCount, -15) - LocalSiderealHours(dayCount, 0);
        EXPECT_NEAR(std::fmod(ahead + 24, 24), 1.0, 1e-9) << dayCount;
    }
}

TEST(Positions, SunAndMoonAtJ2000) {
    const EquatorialPosition sun = SunPosition(0), moon = MoonPosition(0);
    EXPECT_NEAR(sun.rightAscensionHours, 18.7530, 0.5e-4);
    EXPECT_NEAR(sun.declinationDegrees, -23.0332, 0.5e-4);
    EXPECT_NEAR(moon.rightAscensionHours, 14.8300, 0.5e-4);
    EXPECT_NEAR(moon.declinationDegrees, -10.9036, 0.5e-4);
}

// Two centuries either side of J2000, in steps that visit every part of both orbits.
TEST(Positions, StayInTheirRanges) {
    for (double T = -1.0; T < 1.0; T += 0.000731) {
        for (const EquatorialPosition& p : {SunPosition(T), MoonPosition(T)}) {
            ASSERT_GE(p.rightAscensionHours, 0) << T;
            ASSERT_LT(p.rightAscensionHours, 24) << T;
            ASSERT_LE(std::abs(p.declinationDegrees), 29.0) << T;
        }
    }
}

// Rows: samples at x = -1, 0, 1, the count of roots inside [-1, 1] and those roots.
TEST(FitParabola, RootsInsideTheSpan) {
    const double r = 1 + 2e-8; // as a float exactly 1: counts as inside
    const std::tuple<const char*, double, double, double, int, double, double> cases[] = {
        {"1 - 2x^2", -1, 1, -1, 2, -std::sqrt(0.5), std::sqrt(0.5)},
        {"1 - x^2, roots on the ends", 0, 1, 0, 2, -1, 1},
        {"x^2 - r^2, a hair outside", 1 - r * r, -r * r, 1 - r * r, 2, -r, r},
        {"x^2 + 2x - 1, one inside", -2, -1, 2, 1, std::sqrt(2.0) - 1, 0},
        {"x^2 + 1, no real roots", 2, 1, 2, 0, 0, 0},
        {"x^2, touching", 1, 0, 1, 0, 0, 0},
        {"collinear, crossing at 1", -1, -0.5, 0, 1, 1, 0},
        {"collinear, crossing at -2", 1, 2, 3, 0, 0, 0},
        {"flat", 0.5, 0.5, 0.5, 0, 0, 0},
    };
    for (const auto& [shape, yMinus, y0, yPlus, count, root1, root2] : cases) {
        const ParabolaFit fit = FitParabola(yMinus, y0, yPlus);
        EXPECT_EQ(fit.count, count) << shape;
        EXPECT_NEAR(count >= 1 ? fit.root1 : 0, root1, 1e-15) << shape;
        EXPECT_NEAR(count == 2 ? fit.root2 : 0, root2, 1e-15) << shape;
    }
    const ParabolaFit arch = FitParabola(-1, 1, -1);
    EXPECT_EQ((std::array{arch.xe, arch.ye}), (std::array{0.0, 1.0}));
}

TEST(RiseSetSearch, WorkedExampleInWisconsinToTheSecond) {
    const auto search = [](double threshold, Body body) {
        return FindRiseTransitSet(At(2026, 12, 4, 7, 30, 0), -360, 43.089, -87.888, threshold,
                                  body);
    };
    const RiseTransitSet sun = search(kSunRiseSetAltitude, Body::Sun);
    const RiseTransitSet moon = search(kMoonRiseSetAltitude, Body::Moon);
    EXPECT_EQ((std::vector{Stamp(sun.rise), Stamp(sun.transit), Stamp(sun.set), Stamp(moon.rise),
                           Stamp(moon.set)}),
              (std::vector<std::string>{"2026-12-05 07:07:54", "2026-12-04 11:41:42",
                                        "2026-12-04 16:16:44", "2026-12-05 03:56:36",
                                        "2026-12-04 13:29:42"}));
}

// Polar day and polar night: the sun never crosses its threshold, yet the highest point of
// the day is still reported near solar noon, given in hours after the local midnight the search
// starts.
TEST(RiseSetSearch, PolarDayAndNightHaveTransitButNoRiseOrSet) {
    const std::tuple<const char*, int, std::int32_t, double, double, double> rows[] = {
        {"Barrow in June", 6, -480, 71.29, -156.79, 14.5},
        {"Barrow in December", 12, -540, 71.29, -156.79, 13.4},
        {"Byrd Station in December", 12, 0, -80.0, -119.5, 20.0},
        {"Byrd Station in June", 6, 0, -80.0, -119.5, 20.0}};
    for (const auto& [place, month, offset, latitude, longitude, noonHours] : rows) {
        const DateSerial start = At(2026, month, 21, 0, 0, 0);
        const RiseTransitSet sun =
            FindRiseTransitSet(start, offset, latitude, longitude, kSunRiseSetAltitude, Body::Sun);
        EXPECT_EQ((std::array{sun.rise, sun.set}), (std::array{0.0, 0.0})) << place;
        EXPECT_NEAR((sun.transit - start) * 24, noonHours, 0.1) << place;
    }
}

// In polar day nothing ends the search early and a later transit replaces an earlier one, so a
// search started just after today's transit (13:02 at 78 N 15 E on a UTC+2 clock) keeps
// tomorrow's, not the one already past.
TEST(RiseSetSearch, PolarDayStartedJustAfterTransitFindsTomorrowsTransit) {
    for (int minute : {3, 15, 31}) {
        const DateSerial start = At(2026, 6, 21, 13, minute, 0);
        const RiseTransitSet sun =
            FindRiseTransitSet(start, 120, 78, 15, kSunRiseSetAltitude, Body::Sun);
        EXPECT_EQ(sun.rise, 0) << minute;
        EXPECT_NEAR((sun.transit - At(2026, 6, 22, 13, 2, 0)) * 1440, 0, 1) << minute;
    }
}

TEST(RiseSetSearch, DatesBefore2000) {
    // Sydney, 1988-01-26, eastern daylight time: sunrise 06:09, sunset 20:05.
    const DateSerial start = At(1988, 1, 26, 0, 0, 0);
    const RiseTransitSet sun =
        FindRiseTransitSet(start, 660, -33.917, 151.217, kSunRiseSetAltitude, Body::Sun);
    EXPECT_NEAR((sun.rise - start) * 1440, 6 * 60 + 9, 1);
    EXPECT_NEAR((sun.set - start) * 1440, 20 * 60 + 5, 1);
}

// Thousands of random places and instants: whatever the search reports is where the body
// really crosses its threshold or peaks, within the window the search covers.
TEST(RiseSetSearch, RandomPlacesReportRealCrossingsInsideTheWindow) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180),
        day(-12000, 20000), offset(-12 * 60, 14 * 60);
    for (int trial = 0; trial < 3000; ++trial) {
        const Body body = trial % 2 == 1 ? Body::Moon : Body::Sun;
        const double threshold = body == Body::Moon ? kMoonRiseSetAltitude
                                 : trial % 4 == 0   ? kCivilTwilightAltitude
                                                    : kSunRiseSetAltitude;
        const double lat = latitude(random), lon = longitude(random);
        const std::int32_t minutes = std::int32_t(offset(random));
        const DateSerial start =
            std::floor((36526.5 + day(random)) * kSecondsPerDay) / kSecondsPerDay;
        const RiseTransitSet found = FindRiseTransitSet(start, minutes, lat, lon, threshold, body);
        SCOPED_TRACE(testing::Message() << "lat " << lat << " lon " << lon << " start " << start
                                        << " moon " << (body == Body::Moon));

        // The altitude read apart from the search's hourly samples.
        auto sineAltitudeAt = [&](DateSerial at) {
            return SineAltitudeAt(at, minutes, lat, lon, body) - SinDeg(threshold);
        };
        for (DateSerial crossing : {found.rise, found.set}) {
            if (crossing == 0)
                continue;
            ASSERT_GE(crossing, start - kOneSecond);
            ASSERT_LE(crossing, start + 1 + kOneSecond);
            // Within two minutes the altitude is on both sides of the threshold.
            const double before = sineAltitudeAt(crossing - 120 * kOneSecond);
            const double after = sineAltitudeAt(crossing + 120 * kOneSecond);
            EXPECT_TRUE((before <= 0) != (after <= 0) || std::abs(before) < 2e-4 ||
                        std::abs(after) < 2e-4);
            EXPECT_EQ(crossing == found.rise, before < after);
        }
        if (found.transit != 0) {
            ASSERT_GT(found.transit, start - 0.5 / 24);
            ASSERT_LT(found.transit, start + 24.5 / 24);
        }
    }
}
