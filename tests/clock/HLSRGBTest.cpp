#include "clock/HLSRGB.h"

#include <gtest/gtest.h>

using namespace horvane;

namespace {

struct HlsCase {
    int hue, luminance, saturation;
    Colour expected;
};

void PrintTo(const HlsCase& row, std::ostream* out) {
    *out << "HLS(" << row.hue << ", " << row.luminance << ", " << row.saturation << ")";
}

class HlsToRgbTable : public testing::TestWithParam<HlsCase> {};

} // namespace

TEST_P(HlsToRgbTable, GivesTheColour) {
    const HlsCase& row = GetParam();
    EXPECT_EQ(HlsToRgb(row.hue, row.luminance, row.saturation), row.expected);
}

INSTANTIATE_TEST_SUITE_P(SkyColours, HlsToRgbTable,
                         testing::Values(HlsCase{160, 20, 130, Rgb(10, 10, 33)},
                                         HlsCase{160, 100, 130, Rgb(48, 48, 165)},
                                         HlsCase{160, 120, 130, Rgb(58, 58, 198)},
                                         HlsCase{160, 121, 130, Rgb(61, 61, 197)},
                                         HlsCase{160, 180, 130, Rgb(158, 158, 226)},
                                         HlsCase{160, 181, 130, Rgb(160, 160, 226)},
                                         HlsCase{160, 230, 130, Rgb(240, 240, 250)}));

// Full saturation at mid luminance reaches 256 in a channel, which is held at 255.
INSTANTIATE_TEST_SUITE_P(
    PureHues, HlsToRgbTable,
    testing::Values(HlsCase{0, 120, 240, Rgb(255, 0, 0)}, HlsCase{80, 120, 240, Rgb(0, 255, 0)},
                    HlsCase{160, 120, 240, Rgb(0, 0, 255)}, HlsCase{40, 120, 240, Rgb(255, 255, 0)},
                    HlsCase{240, 120, 240, Rgb(255, 0, 0)}, HlsCase{50, 120, 240, Rgb(192, 255, 0)},
                    HlsCase{130, 120, 240, Rgb(0, 192, 255)},
                    HlsCase{220, 120, 240, Rgb(255, 0, 128)}));

INSTANTIATE_TEST_SUITE_P(GreysIgnoreHue, HlsToRgbTable,
                         testing::Values(HlsCase{0, 120, 0, Rgb(128, 128, 128)},
                                         HlsCase{200, 120, 0, Rgb(128, 128, 128)},
                                         HlsCase{77, 240, 0, Rgb(255, 255, 255)},
                                         HlsCase{0, 0, 0, Rgb(0, 0, 0)}));

TEST(HueToChannel, TakesHuesOnceRoundTheCircle) {
    EXPECT_EQ(HueToChannel(0, 240, -80), HueToChannel(0, 240, 160));
    EXPECT_EQ(HueToChannel(0, 240, 320), HueToChannel(0, 240, 80));
    EXPECT_EQ(HueToChannel(10, 200, 240), 10); // 240 itself is not wrapped
}

TEST(Colour, ComponentsAreHeldToAByte) {
    EXPECT_EQ(Rgb(256, 0, 0), Rgb(255, 0, 0));
    EXPECT_EQ(Rgb(0, -1, 300), Rgb(0, 0, 255));
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201u);
}

TEST(BlendColours, MixesEachChannelRoundingHalvesToEven) {
    EXPECT_EQ(BlendColours(0.25, Rgb(0, 0, 0), Rgb(255, 0, 100)), Rgb(64, 0, 25));
    EXPECT_EQ(BlendColours(0.5, kWhite, kBlack), Rgb(128, 128, 128));
    EXPECT_EQ(BlendColours(0.5, Rgb(0, 1, 3), Rgb(1, 2, 0)), Rgb(0, 2, 2)); // 0.5, 1.5, 1.5
    EXPECT_EQ(BlendColours(0.0, Rgb(9, 8, 7), Rgb(1, 2, 3)), Rgb(9, 8, 7));
    EXPECT_EQ(BlendColours(0.999, Rgb(0, 0, 0), Rgb(200, 0, 0)), Rgb(200, 0, 0));
}
