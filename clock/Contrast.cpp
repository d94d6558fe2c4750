#include "clock/Contrast.h"

#include <algorithm>
#include <cmath>

namespace horvane {
namespace {

// The sRGB channel (0..255) as linear light, 0..1.
double LinearChannel(int channel) {
    const double encoded = channel / 255.0;
    return encoded <= 0.04045 ? encoded / 12.92 : std::pow((encoded + 0.055) / 1.055, 2.4);
}

constexpr double kFlare = 0.05;

} // namespace

double RelativeLuminance(Colour colour) {
    return 0.2126 * LinearChannel(RedOf(colour)) + 0.7152 * LinearChannel(GreenOf(colour)) +
           0.0722 * LinearChannel(BlueOf(colour));
}

double ContrastRatio(Colour a, Colour b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + kFlare) / (std::min(la, lb) + kFlare);
}

} // namespace horvane
