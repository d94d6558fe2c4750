#include "clock/HandGeometry.h"

#include "clock/FullTurn.h"

#include <cmath>

namespace horvane {
namespace {

constexpr double kDesignTwipsPerPixel = 15.0;

HandLine DesignLine(int x1, int y1, int x2, int y2, Colour colour, int width) {
    const auto pixels = [](int twips) { return float(twips / kDesignTwipsPerPixel); };
    return {pixels(x1), pixels(y1), pixels(x2), pixels(y2), colour, width, false};
}

} // namespace

HandLines DesignHandLines() {
    HandLines lines;
    lines[SecondHand] = DesignLine(0, 1260, 1035, 0, Rgb(255, 128, 0), 1);
    lines[MinuteHand] = DesignLine(510, 1425, 0, 0, Rgb(128, 0, 0), 2);
    lines[HourHand] = DesignLine(1035, 810, 0, 0, Rgb(255, 0, 0), 2);
    lines[WeekHand] = DesignLine(960, 390, 0, 0, Rgb(0, 128, 0), 3);
    lines[MoonHand] = DesignLine(810, 0, 0, 75, Rgb(0, 0, 0), 2);
    lines[YearHand] = DesignLine(645, 45, 0, 0, Rgb(0, 0, 255), 3);
    return lines;
}

std::int32_t MeasureHand(const HandLine& line) {
    const double dy = double(line.Y1) - double(line.Y2);
    const double dx = double(line.X2) - double(line.X1);
    return RoundEvenToInt32(std::sqrt(dy * dy + dx * dx));
}

HandLengthArray MeasureHands(const HandLines& lines) {
    HandLengthArray lengths{};
    for (int hand = 0; hand < kHandCount; ++hand)
        lengths[hand] = MeasureHand(lines[hand]);
    return lengths;
}

void PlaceHand(HandLine& line, double value, double period, std::int32_t length,
               std::int32_t centreX, std::int32_t centreY) {
    const double angle = value / period * kFullTurn;
    const std::int32_t dx = RoundEvenToInt32(length * std::sin(angle));
    const std::int32_t dy = RoundEvenToInt32(-length * std::cos(angle));
    line.X2 = float(centreX + dx);
    line.Y2 = float(centreY + dy);
    line.X1 = float(centreX - RoundEvenToInt32(dx / 4.0));
    line.Y1 = float(centreY - RoundEvenToInt32(dy / 4.0));
}

} // namespace horvane
