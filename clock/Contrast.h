#pragma once
// How far two colours stand apart to the eye, as the web's accessibility guidelines (WCAG 2)
// measure it.

#include "clock/Colour.h"

namespace horvane {

// The relative luminance of a colour, 0 for black to 1 for white.
double RelativeLuminance(Colour colour);

// (lighter + 0.05) / (darker + 0.05) of the two luminances: 1 for equal colours to 21 for black
// on white.
double ContrastRatio(Colour a, Colour b);

} // namespace horvane
