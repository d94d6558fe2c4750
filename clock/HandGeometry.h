#pragma once
// The hands of the face: straight lines from a short tail through the centre to the tip.

#include "clock/Colour.h"

#include <array>
#include <cstdint>

namespace horvane {

// A hand as a line over the face, in face pixels (y grows downwards). (X2, Y2) is the tip,
// (X1, Y1) the tail.
struct HandLine {
    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Colour colour = kBlack;
    int width = 1; // pixels
    bool visible = false;
};

// The hands, in the order every list of hands uses.
enum Hand { SecondHand, MinuteHand, HourHand, WeekHand, MoonHand, YearHand, kHandCount };

using HandLines = std::array<HandLine, kHandCount>;
using HandLengthArray = std::array<std::int32_t, kHandCount>;

// Which hands are on, as the settings say.
using HandSwitches = std::array<bool, kHandCount>;
inline constexpr HandSwitches kAllHandsOn{true, true, true, true, true, true};

// The six lines as laid out in the window design, with their colours and widths, in face
// pixels. The dial is a fixed-size picture, so they are taken at 15 twips to the pixel
// whatever the screen's density.
HandLines DesignHandLines();

// The line's length in whole pixels.
std::int32_t MeasureHand(const HandLine& line);
HandLengthArray MeasureHands(const HandLines& lines);

// Points the hand from the centre at value/period of a full turn clockwise from the top,
// with a tail a quarter of its length on the other side.
void PlaceHand(HandLine& line, double value, double period, std::int32_t length,
               std::int32_t centreX, std::int32_t centreY);

} // namespace horvane
