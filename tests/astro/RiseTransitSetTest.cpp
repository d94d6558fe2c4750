#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <tuple>

using namespace horvane;

namespace {

// To the whole second, as the board shows event times, with a "+" on the day after; "-" for none.
std::string Stamp(DateSerial serial, int today) {
    const CivilDateTime c = ToCivil(serial);
    char text[16];
    std::snprintf(text, sizeof text, "%s%d:%02d:%02d", c.day == today ? "" : "+", c.hour, c.minute,
                  c.second);
    return serial == 0 ? "-" : text;
}

double ThresholdOf(Body body) {
    return body == Body::Moon ? kMoonRiseSetAltitude : kSunRiseSetAltitude;
}

} // namespace

// Rows: samples at x = -1, 0, 1, the count of roots inside [-1, 1] and those roots. Roots on
// the ends count, and so do those a hair outside; one inside; none, touching, straight lines
// crossing inside and outside, and flat.
TEST(FitParabola, RootsInsideTheSpan) {
    const double r = 1 + 2e-8; // as a float exactly 1: counts as inside
    const double h = std::sqrt(0.5), q = std::sqrt(2.0) - 1, e = 1 - r * r;
    const std::tuple<const char*, double, double, double, int, double, double> cases[] = {
        {"1 - 2x^2", -1, 1, -1, 2, -h, h},    {"1 - x^2", 0, 1, 0, 2, -1, 1},
        {"x^2 - r^2", e, e - 1, e, 2, -r, r}, {"x^2 + 2x - 1", -2, -1, 2, 1, q, 0},
        {"x^2 + 1", 2, 1, 2, 0, 0, 0},        {"x^2", 1, 0, 1, 0, 0, 0},
        {"x - 1", -1, -0.5, 0, 1, 1, 0},      {"x + 2", 1, 2, 3, 0, 0, 0},
        {"flat", 0.5, 0.5, 0.5, 0, 0, 0}};
    for (const auto& [shape, yMinus, y0, yPlus, count, root1, root2] : cases) {
        const ParabolaFit fit = FitParabola(yMinus, y0, yPlus);
        EXPECT_EQ(fit.count, count) << shape;
        EXPECT_NEAR(count >= 1 ? fit.root1 : 0, root1, 1e-15) << shape;
        EXPECT_NEAR(count == 2 ? fit.root2 : 0, root2, 1e-15) << shape;
    }
}

// Rows: start, UTC offset, place, body, and the rise, transit and set found in the 24 hours
// after start. In polar day and night the highest point is still reported near solar noon. In
// polar day nothing ends the search early and a later transit replaces an earlier one, so a
// search started just after a transit (13:02 at 78 N 15 E) keeps tomorrow's.
TEST(RiseSetSearch, FindsTheEventsOfTheDayAhead) {
    using enum Body;
    const std::tuple<const char*, CivilDateTime, int, double, double, Body, const char*> rows[] = {
        {"WI sun", {2026, 12, 4, 7, 30}, -360, 43.089, -87.888, Sun, "+7:07:54 11:41:42 16:16:44"},
        {"WI moon", {2026, 12, 4, 7, 30}, -360, 43.089, -87.888, Moon, "+3:56:36 8:10:28 13:29:42"},
        {"Sydney in 1988", {1988, 1, 26}, 660, -33.917, 151.217, Sun, "6:09:20 13:07:25 20:04:58"},
        {"Barrow in June", {2026, 6, 21}, -480, 71.29, -156.79, Sun, "- 14:29:06 -"},
        {"Barrow in December", {2026, 12, 21}, -540, 71.29, -156.79, Sun, "- 13:25:26 -"},
        {"Byrd in December", {2026, 12, 21}, 0, -80.0, -119.5, Sun, "- 19:56:17 -"},
        {"Byrd in June", {2026, 6, 21}, 0, -80.0, -119.5, Sun, "- 19:59:57 -"},
        {"78 N at 13:03", {2026, 6, 21, 13, 3}, 120, 78, 15, Sun, "- +13:02:03 -"},
        {"78 N at 13:31", {2026, 6, 21, 13, 31}, 120, 78, 15, Sun, "- +13:02:04 -"},
        {"71 S, moon", {1975, 10, 7, 10}, -360, -71.1, 2.65, Moon, "20:51:11 +8:47:54 19:31:23"},
        {"78 N, moon", {2000, 2, 12, 12}, 720, 78.06, -105.1, Moon, "+0:33:56 12:26:06 +0:14:20"}};
    for (const auto& [place, start, offset, latitude, longitude, body, expected] : rows) {
        const RiseTransitSet found = FindRiseTransitSet(ToDateSerial(start), offset, latitude,
                                                        longitude, ThresholdOf(body), body);
        const auto stamp = [&](DateSerial event) { return Stamp(event, start.day); };
        EXPECT_EQ(stamp(found.rise) + " " + stamp(found.transit) + " " + stamp(found.set), expected)
            << place;
    }
}

// Thousands of random places and days: a reported rise or set lies in the day searched, with
// the body below its threshold two minutes before a rise and above it two minutes after, and
// the other way round for a set.
TEST(RiseSetSearch, RandomPlacesReportRealCrossings) {
    std::mt19937 random(20261206);
    std::uniform_real_distribution<double> latitude(-89.9, 89.9), longitude(-180, 180),
        day(-12000, 20000);
    for (int trial = 0; trial < 3000; ++trial) {
        const Body body = trial % 2 == 1 ? Body::Moon : Body::Sun;
        const double lat = latitude(random), lon = longitude(random);
        const DateSerial start = std::round((36526.5 + day(random)) * 1440) / 1440;
        const RiseTransitSet found =
            FindRiseTransitSet(start, 0, lat, lon, ThresholdOf(body), body);
        const auto above = [&](DateSerial at, double minutes) {
            return SineAltitudeAt(at + minutes / 1440, 0, lat, lon, body) >
                   SinDeg(ThresholdOf(body));
        };
        for (DateSerial crossing : {found.rise, found.set})
            EXPECT_TRUE(crossing == 0 ||
                        (crossing - start <= 1 && above(crossing, -2) == (crossing == found.set) &&
                         above(crossing, 2) == (crossing == found.rise)))
                << trial;
    }
}
