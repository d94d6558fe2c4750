#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"

#include <gtest/gtest.h>
#include <random>

using namespace horvane;

namespace {

constexpr double kOneSecond = 1.0 / kSecondsPerDay;

DateSerial At(int year, int month, int day, int hour, int minute, int second) {
    return ToDateSerial({year, month, day, hour, minute, second});
}

// Whole seconds, as the board shows event times.
::testing::AssertionResult SameSecond(DateSerial actual, DateSerial expected) {
    if (WholeSecondsOf(actual) == WholeSecondsOf(expected))
        return ::testing::AssertionSuccess();
    const CivilDateTime a = ToCivil(actual);
    return ::testing::AssertionFailure()
           << "got " << a.year << "-" << a.month << "-" << a.day << " " << a.hour << ":" << a.minute
           << ":" << a.second << ", " << (actual - expected) * kSecondsPerDay << " s off";
}

} // namespace

// Samples at x = -1, 0, 1 and the roots expected inside [-1, 1].
struct ParabolaCase {
    const char* shape;
    double yMinus, y0, yPlus;
    int count;
    double root1, root2; // root1 alone when count is 1
};

TEST(FitParabola, RootsInsideTheSpan) {
    const double r = 1 + 2e-8; // as a float exactly 1: counts as inside
    const ParabolaCase cases[] = {
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
    for (const ParabolaCase& c : cases) {
        const ParabolaFit fit = FitParabola(c.yMinus, c.y0, c.yPlus);
        EXPECT_EQ(fit.count, c.count) << c.shape;
        if (c.count >= 1) {
            EXPECT_NEAR(fit.root1, c.root1, 1e-15) << c.shape;
        }
        if (c.count == 2) {
            EXPECT_NEAR(fit.root2, c.root2, 1e-15) << c.shape;
        }
    }
    const ParabolaFit arch = FitParabola(-1, 1, -1);
    EXPECT_EQ(arch.xe, 0);
    EXPECT_EQ(arch.ye, 1);
}

TEST(RiseSetSearch, WorkedExampleInWisconsinToTheSecond) {
    const DateSerial start = At(2026, 12, 4, 7, 30, 0);
    const RiseTransitSet sun =
        FindRiseTransitSet(start, -360, 43.089, -87.888, kSunRiseSetAltitude, Body::Sun);
    EXPECT_TRUE(SameSecond(sun.rise, At(2026, 12, 5, 7, 7, 54)));
    EXPECT_TRUE(SameSecond(sun.transit, At(2026, 12, 4, 11, 41, 42)));
    EXPECT_TRUE(SameSecond(sun.set, At(2026, 12, 4, 16, 16, 44)));
    const RiseTransitSet moon =
        FindRiseTransitSet(start, -360, 43.089, -87.888, kMoonRiseSetAltitude, Body::Moon);
    EXPECT_TRUE(SameSecond(moon.rise, At(2026, 12, 5, 3, 56, 36)));
    EXPECT_TRUE(SameSecond(moon.set, At(2026, 12, 4, 13, 29, 42)));
}

// Polar day and polar night: the sun never crosses its threshold, yet the highest point of
// the day is still reported.
TEST(RiseSetSearch, PolarDayAndNightHaveTransitButNoRiseOrSet) {
    const struct {
        const char* place;
        DateSerial start;
        std::int32_t offset;
        double latitude, longitude;
    } cases[] = {
        {"Barrow in June", At(2026, 6, 21, 0, 0, 0), -480, 71.29, -156.79},
        {"Barrow in December", At(2026, 12, 21, 0, 0, 0), -540, 71.29, -156.79},
        {"Byrd Station in December", At(2026, 12, 21, 0, 0, 0), 0, -80.0, -119.5},
        {"Byrd Station in June", At(2026, 6, 21, 0, 0, 0), 0, -80.0, -119.5},
    };
    for (const auto& c : cases) {
        const RiseTransitSet sun = FindRiseTransitSet(c.start, c.offset, c.latitude, c.longitude,
                                                      kSunRiseSetAltitude, Body::Sun);
        EXPECT_EQ(sun.rise, 0) << c.place;
        EXPECT_EQ(sun.set, 0) << c.place;
        EXPECT_NE(sun.transit, 0) << c.place;
    }
    // Solar noon at 156.79 W is near 10:27 on a UTC-9 clock.
    const RiseTransitSet barrow =
        FindRiseTransitSet(cases[1].start, -540, 71.29, -156.79, kSunRiseSetAltitude, Body::Sun);
    EXPECT_NEAR((barrow.transit - cases[1].start) * 24, 13.0, 0.5);
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

        const double universalStart = start - 36526.5 - minutes / 1440.0;
        auto sineAltitudeAt = [&](DateSerial local) {
            const double hours = (local - start) * 24;
            return SineAltitude(universalStart, hours, -lon, CosDeg(lat), SinDeg(lat), body) -
                   SinDeg(threshold);
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
