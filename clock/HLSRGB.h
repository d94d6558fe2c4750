#pragma once
// Hue, luminance and saturation (0..240 each) to an RGB colour.

#include "clock/Colour.h"

#include <cstdint>

namespace horvane {

// The colour of hue, luminance and saturation, each on the 0..240 scale.
Colour HlsToRgb(std::int32_t hue, std::int32_t luminance, std::int32_t saturation);

// One channel, on the 0..240 scale, for the hue (taken once round the circle) between the two
// magic values m1 and m2.
std::int32_t HueToChannel(std::int32_t m1, std::int32_t m2, std::int32_t hue);

} // namespace horvane
