#include "clock/HandGeometry.h"

#include <gtest/gtest.h>

using namespace horvane;

TEST(MeasureHand, DesignLinesGiveTheHandLengthsRoundingHalvesToEven) {
    const HandLengthArray expected{109, 101, 88, 69, 54, 43};
    EXPECT_EQ(MeasureHands(DesignHandLines()), expected);
    EXPECT_EQ(MeasureHand({0, 0, 2.5f, 0}), 2);
    EXPECT_EQ(MeasureHand({0, 3.5f, 0, 0}), 4);
}

// Tails are a quarter of the tip offset, rounded halves to even: 22, 13.5 -> 14, 15.5 -> 16,
// 0.5 -> 0, 1.5 -> 2.
TEST(PlaceHand, PutsTipAndTailAboutTheCentre) {
    const struct {
        double value, period;
        int length;
        float tipX, tipY, tailX, tailY;
    } rows[] = {{0, 86400, 88, 111, 23, 111, 133}, {86400, 86400, 88, 111, 23, 111, 133},
                {15, 60, 88, 199, 111, 89, 111},   {0.5, 1, 54, 111, 165, 111, 97},
                {-90, 360, 54, 57, 111, 125, 111}, {45, 360, 88, 173, 49, 95, 127},
                {0, 1, 2, 111, 109, 111, 111},     {0.5, 1, 2, 111, 113, 111, 111},
                {0.5, 1, 6, 111, 117, 111, 109}};
    for (const auto& row : rows) {
        HandLine line;
        PlaceHand(line, row.value, row.period, row.length, 111, 111);
        EXPECT_EQ((std::array{line.X2, line.Y2, line.X1, line.Y1}),
                  (std::array{row.tipX, row.tipY, row.tailX, row.tailY}))
            << row.value << "/" << row.period << " length " << row.length;
    }
}
