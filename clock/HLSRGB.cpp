#include "clock/HLSRGB.h"

namespace horvane {
namespace {

constexpr std::int32_t kScale = 240;        // hue, luminance and saturation run 0..240
constexpr std::int32_t kHueThird = 80;      // red, green and blue sit a third of the circle apart
constexpr std::int32_t kHueSixth = 40;      // the rise from m1 to m2
constexpr std::int32_t kHueHalf = 120;      // the plateau at m2 ends
constexpr std::int32_t kHueTwoThirds = 160; // the fall back to m1 ends

// A channel on the 0..240 scale turned to 0..255, rounded.
std::int32_t ToByteScale(std::int32_t channel) {
    return RoundEvenToInt32((channel * 255 + kScale / 2) / double(kScale));
}

std::int32_t SecondMagicValue(std::int32_t luminance, std::int32_t saturation) {
    if (luminance <= kScale / 2)
        return RoundEvenToInt32((luminance * (saturation + kScale) + kScale / 2) / double(kScale));
    return RoundEvenToInt32(luminance + saturation -
                            (luminance * saturation + kScale / 2) / double(kScale));
}

} // namespace

std::int32_t HueToChannel(std::int32_t m1, std::int32_t m2, std::int32_t hue) {
    if (hue < 0)
        hue += kScale;
    else if (hue > kScale)
        hue -= kScale;

    if (hue < kHueSixth)
        return RoundEvenToInt32(m1 + ((m2 - m1) * hue + kHueSixth / 2) / double(kHueSixth));
    if (hue < kHueHalf)
        return m2;
    if (hue < kHueTwoThirds)
        return RoundEvenToInt32(m1 + ((m2 - m1) * (kHueTwoThirds - hue) + kHueSixth / 2) /
                                         double(kHueSixth));
    return m1;
}

Colour HlsToRgb(std::int32_t hue, std::int32_t luminance, std::int32_t saturation) {
    if (saturation == 0) {
        const std::int32_t grey = RoundEvenToInt32(luminance * 255 / double(kScale));
        return Rgb(grey, grey, grey);
    }
    const std::int32_t m2 = SecondMagicValue(luminance, saturation);
    const std::int32_t m1 = 2 * luminance - m2;
    return Rgb(ToByteScale(HueToChannel(m1, m2, hue + kHueThird)),
               ToByteScale(HueToChannel(m1, m2, hue)),
               ToByteScale(HueToChannel(m1, m2, hue - kHueThird)));
}

} // namespace horvane
