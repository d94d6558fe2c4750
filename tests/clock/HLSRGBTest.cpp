#include "clock/HLSRGB.h"

#include <gtest/gtest.h>
#include <tuple>
#include <utility>

using namespace horvane;

// The sky, dark to light across the luminance-120 switch; pure hues, where full saturation at
// mid luminance reaches 256 in a channel, held at 255, and hues 0 and 240 take the channel hues
// -80 and 320 once round the circle; greys, whatever the hue.
TEST(HlsToRgb, GivesTheColour) {
    const std::tuple<int, int, int, Colour> rows[] = {
        {160, 20, 130, Rgb(10, 10, 33)},     {160, 100, 130, Rgb(48, 48, 165)},
        {160, 120, 130, Rgb(58, 58, 198)},   {160, 121, 130, Rgb(61, 61, 197)},
        {160, 180, 130, Rgb(158, 158, 226)}, {160, 181, 130, Rgb(160, 160, 226)},
        {160, 230, 130, Rgb(240, 240, 250)}, {0, 120, 240, Rgb(255, 0, 0)},
        {80, 120, 240, Rgb(0, 255, 0)},      {160, 120, 240, Rgb(0, 0, 255)},
        {40, 120, 240, Rgb(255, 255, 0)},    {240, 120, 240, Rgb(255, 0, 0)},
        {50, 120, 240, Rgb(192, 255, 0)},    {130, 120, 240, Rgb(0, 192, 255)},
        {220, 120, 240, Rgb(255, 0, 128)},   {200, 120, 0, Rgb(128, 128, 128)},
        {77, 240, 0, Rgb(255, 255, 255)},    {0, 0, 0, Rgb(0, 0, 0)}};
    for (const auto& [hue, luminance, saturation, colour] : rows)
        EXPECT_EQ(HlsToRgb(hue, luminance, saturation), colour)
            << "HLS(" << hue << ", " << luminance << ", " << saturation << ")";
}

// A hue below 0 or above 240 is taken once round the circle, 240 itself is not; between them
// the channel rises from m1 to m2, holds m2, falls back and holds m1, rounding halves to even.
TEST(HueToChannel, WrapsOnceAndFollowsTheCircle) {
    const std::pair<int, int> rows[] = {{-80, 1},   {320, 200}, {240, 1},   {0, 2},
                                        {20, 101},  {40, 200},  {119, 200}, {120, 200},
                                        {140, 101}, {160, 1},   {239, 1}};
    for (const auto& [hue, channel] : rows)
        EXPECT_EQ(HueToChannel(1, 200, hue), channel) << hue;
}

// Components are held to a byte, red lowest; a blend mixes each channel, halves to even.
TEST(Colour, AssemblesAndBlendsChannelByChannel) {
    EXPECT_EQ(Rgb(256, -1, 300), Rgb(255, 0, 255));
    EXPECT_EQ(Rgb(1, 2, 3), 0x030201u);
    EXPECT_EQ(BlendColours(0.25, Rgb(0, 0, 0), Rgb(255, 0, 100)), Rgb(64, 0, 25));
    EXPECT_EQ(BlendColours(0.5, kWhite, kBlack), Rgb(128, 128, 128));
    EXPECT_EQ(BlendColours(0.5, Rgb(0, 1, 3), Rgb(1, 2, 0)), Rgb(0, 2, 2)); // 0.5, 1.5, 1.5
    EXPECT_EQ(BlendColours(0.999, Rgb(0, 0, 0), Rgb(200, 0, 0)), Rgb(200, 0, 0));
}
