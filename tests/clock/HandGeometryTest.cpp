#include "clock/HandGeometry.h"

#include <gtest/gtest.h>

using namespace horvane;

namespace {

struct Placement {
    double value, period;
    int length;
    float tipX, tipY, tailX, tailY;
};

void PrintTo(const Placement& row, std::ostream* out) {
    *out << row.value << "/" << row.period << " length " << row.length;
}

class PlaceHandTable : public testing::TestWithParam<Placement> {};

constexpr int kCentre = 111;

} // namespace

TEST(MeasureHand, DesignLinesGiveTheHandLengths) {
    const HandLengthArray expected{109, 101, 88, 69, 54, 43};
    EXPECT_EQ(MeasureHands(DesignHandLines()), expected);
}

TEST(MeasureHand, RoundsHalvesToEven) {
    EXPECT_EQ(MeasureHand({0, 0, 2.5f, 0}), 2);
    EXPECT_EQ(MeasureHand({0, 3.5f, 0, 0}), 4);
}

TEST_P(PlaceHandTable, PutsTipAndTail) {
    const Placement& row = GetParam();
    HandLine line;
    PlaceHand(line, row.value, row.period, row.length, kCentre, kCentre);
    EXPECT_EQ(line.X2, row.tipX);
    EXPECT_EQ(line.Y2, row.tipY);
    EXPECT_EQ(line.X1, row.tailX);
    EXPECT_EQ(line.Y1, row.tailY);
}

// Tails are a quarter of the tip offset, rounded halves to even: 22, 13.5 -> 14, 15.5 -> 16,
// 0.5 -> 0, 1.5 -> 2.
INSTANTIATE_TEST_SUITE_P(Turns, PlaceHandTable,
                         testing::Values(Placement{0, 86400, 88, 111, 23, 111, 133},
                                         Placement{86400, 86400, 88, 111, 23, 111, 133},
                                         Placement{15, 60, 88, 199, 111, 89, 111},
                                         Placement{0.5, 1, 54, 111, 165, 111, 97},
                                         Placement{-90, 360, 54, 57, 111, 125, 111},
                                         Placement{45, 360, 88, 173, 49, 95, 127},
                                         Placement{0, 1, 2, 111, 109, 111, 111},
                                         Placement{0.5, 1, 2, 111, 113, 111, 111},
                                         Placement{0.5, 1, 6, 111, 117, 111, 109}));
