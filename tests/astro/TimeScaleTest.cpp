#include "astro/RiSeTran.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace horvane;

TEST(DayCount, ConvertsToLocalDateSerial) {
    EXPECT_EQ(DayCountToDate(0, 0), 36526.5);
    EXPECT_DOUBLE_EQ(DayCountToDate(-0.5, 1), 36526 + 1.0 / 24);
}

TEST(Frac, IsNeverNegative) {
    EXPECT_EQ(Frac(2.75), 0.75);
    EXPECT_EQ(Frac(-2.75), 0.25);
    EXPECT_EQ(Frac(3), 0);
    EXPECT_EQ(Frac(-0.25), 0.75);
}

TEST(SiderealTime, GreenwichAtMidnightOfJ2000) {
    EXPECT_NEAR(LocalSiderealHours(-0.5, 0), 6.66452, 0.5e-5);
}

TEST(SiderealTime, FifteenDegreesEastIsOneHourAhead) {
    for (double dayCount : {-3650.25, -0.5, 0.0, 9834.3, 12000.77}) {
        const double greenwich = LocalSiderealHours(dayCount, 0);
        const double east = LocalSiderealHours(dayCount, -15);
        EXPECT_NEAR(std::fmod(east - greenwich + 24, 24), 1.0, 1e-9) << dayCount;
    }
}
