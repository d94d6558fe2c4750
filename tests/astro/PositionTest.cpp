#include "astro/RiSeTran.h"

#include <gtest/gtest.h>

using namespace horvane;

TEST(SunPosition, AtJ2000) {
    const EquatorialPosition sun = SunPosition(0);
    EXPECT_NEAR(sun.rightAscensionHours, 18.7530, 0.5e-4);
    EXPECT_NEAR(sun.declinationDegrees, -23.0332, 0.5e-4);
}

TEST(MoonPosition, AtJ2000) {
    const EquatorialPosition moon = MoonPosition(0);
    EXPECT_NEAR(moon.rightAscensionHours, 14.8300, 0.5e-4);
    EXPECT_NEAR(moon.declinationDegrees, -10.9036, 0.5e-4);
}

TEST(Positions, StayInTheirRanges) {
    // Two centuries either side of J2000, in steps that visit every part of both orbits.
    for (double T = -1.0; T < 1.0; T += 0.000731) {
        for (const EquatorialPosition& p : {SunPosition(T), MoonPosition(T)}) {
            ASSERT_GE(p.rightAscensionHours, 0) << T;
            ASSERT_LT(p.rightAscensionHours, 24) << T;
            ASSERT_LE(std::abs(p.declinationDegrees), 29.0) << T;
        }
    }
}
