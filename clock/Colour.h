#pragma once
// The program's 32-bit colour: red in bits 0-7, green in 8-15, blue in 16-23.

#include "platform/BasicTypes.h"

#include <algorithm>
#include <cstdint>

namespace horvane {

using Colour = std::uint32_t;

// Assembles a colour; each component is held to 0..255, as the conversions can give 256.
constexpr Colour Rgb(int red, int green, int blue) {
    const auto channel = [](int value) { return Colour(std::clamp(value, 0, 255)); };
    return channel(red) | channel(green) << 8 | channel(blue) << 16;
}

constexpr int RedOf(Colour colour) {
    return int(colour & 0xFF);
}
constexpr int GreenOf(Colour colour) {
    return int(colour >> 8 & 0xFF);
}
constexpr int BlueOf(Colour colour) {
    return int(colour >> 16 & 0xFF);
}

inline constexpr Colour kWhite = Rgb(255, 255, 255);
inline constexpr Colour kBlack = Rgb(0, 0, 0);

// A channel value rounded to the nearest integer, halves to even, as RoundEven does but
// without a library call: adding and taking away 1.5 * 2^52 leaves no fraction bits, so the
// sum is rounded in the (never changed) round-to-nearest-even mode.
inline int RoundChannel(double value) {
    constexpr double kNoFractionBits = 6755399441055744.0;
    return int((value + kNoFractionBits) - kNoFractionBits);
}

// The colour the fraction f (0 <= f < 1) of the way from a to b, channel by channel,
// rounded halves to even. A channel that a and b share is kept exactly.
inline Colour BlendColours(double f, Colour a, Colour b) {
    if (a == b)
        return a;
    Colour blended = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const int from = int(a >> shift & 0xFF);
        const int to = int(b >> shift & 0xFF);
        const int channel = from == to ? from : RoundChannel((to - from) * f + from);
        blended |= Colour(channel) << shift;
    }
    return blended;
}

} // namespace horvane
