#include "clock/FaceRenderer.h"

#include <bit>
#include <cmath>

namespace horvane {
namespace {

// Format_RGBX8888 keeps the bytes R, G, B, X in memory, so a pixel read as a 32-bit word is a
// Colour with the X byte on top.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// RingPixel's answer for a pixel the pass leaves as it is; no Colour has its top byte set.
constexpr Colour kKept = 0xFFFFFFFF;

constexpr double kFullTurn = 6.28318530717958;

// Int() of a sampling position, without a library call.
int FloorToInt(double value) {
    const int truncated = int(value);
    return value < truncated ? truncated - 1 : truncated;
}

} // namespace

struct FaceRenderer::Pass {
    EventTimesOfDay times;
    RingTurns turns;
    HandSwitches hands;
    Colour background;
};

FaceGeometry FaceGeometryOf(int width, int height) {
    return {width, height, int(Int(width / 2.0)) - 2, int(Int(height / 2.0)) - 2};
}

FaceRenderer::FaceRenderer(const QImage& dial, FaceGeometry geometry)
    : geometry_(geometry), face_(geometry.width, geometry.height, QImage::Format_RGBX8888) {
    const QImage rgbx = dial.convertToFormat(QImage::Format_RGBX8888);
    dialWidth_ = rgbx.width();
    dialHeight_ = rgbx.height();
    dial_.resize(std::size_t(dialWidth_) * std::size_t(dialHeight_));
    for (int y = 0; y < dialHeight_; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgbx.constScanLine(y));
        for (int x = 0; x < dialWidth_; ++x)
            dial_[std::size_t(y) * dialWidth_ + x] = line[x] & kColourBits;
    }
    for (int y = 0; y < geometry_.height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(face_.scanLine(y));
        for (int x = 0; x < geometry_.width; ++x)
            line[x] = DialPixel(x, y) | kOpaque;
    }
}

Colour FaceRenderer::FacePixel(int x, int y) const {
    return reinterpret_cast<const std::uint32_t*>(face_.constScanLine(y))[x] & kColourBits;
}

void FaceRenderer::BuildTables() {
    TableSize = kTurnSteps;
    for (int step = 0; step < kTurnSteps; ++step) {
        const double angle = step * kFullTurn / kTurnSteps;
        SinTable[step] = std::sin(angle);
        CosTable[step] = std::cos(angle);
    }
}

Colour FaceRenderer::DialPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= dialWidth_ || y >= dialHeight_)
        return kWhite;
    return dial_[std::size_t(y) * dialWidth_ + x];
}

// The dial turned clockwise by turn thousandths, sampled bilinearly at (dx, dy) from the
// centre.
Colour FaceRenderer::TurnedPixel(int dx, int dy, int turn) const {
    const double s = SinTable[turn];
    const double c = CosTable[turn];
    const double sx = geometry_.centreX + dx * c + dy * s;
    const double sy = geometry_.centreY - dx * s + dy * c;
    const int i = FloorToInt(sx);
    const int j = FloorToInt(sy);
    const double fx = sx - i;
    const double fy = sy - j;

    Colour topLeft, topRight, bottomLeft, bottomRight;
    if (i >= 0 && j >= 0 && i + 1 < dialWidth_ && j + 1 < dialHeight_) {
        const Colour* top = &dial_[std::size_t(j) * dialWidth_ + i];
        const Colour* bottom = top + dialWidth_;
        topLeft = top[0], topRight = top[1], bottomLeft = bottom[0], bottomRight = bottom[1];
    } else {
        topLeft = DialPixel(i, j), topRight = DialPixel(i + 1, j);
        bottomLeft = DialPixel(i, j + 1), bottomRight = DialPixel(i + 1, j + 1);
    }
    return BlendColours(fy, BlendColours(fx, topLeft, topRight),
                        BlendColours(fx, bottomLeft, bottomRight));
}

// A ring whose hand is on is turned on every pass; one whose hand is off is blanked on the
// first pass and then kept.
Colour FaceRenderer::BlankedOrTurned(bool handOn, int dx, int dy, int turn) const {
    if (handOn)
        return TurnedPixel(dx, dy, turn);
    return faceDrawn_ ? kKept : kWhite;
}

Colour FaceRenderer::RingPixel(int dx, int dy, const Pass& pass) const {
    const HandSwitches& hands = pass.hands;
    switch (RingOf(dx * dx + dy * dy)) {
    case FaceRing::CentreDisc:
        return kKept;
    case FaceRing::Year:
        if (!hands[YearHand])
            return kWhite;
        return faceDrawn_ ? kKept : TurnedPixel(dx, dy, pass.turns.year);
    case FaceRing::Moon:
        return hands[MoonHand] || faceDrawn_ ? kKept : kWhite;
    case FaceRing::InnerMoonCircle:
        return hands[MoonHand] ? kBlack : kWhite;
    case FaceRing::MoonUp: {
        if (!hands[MoonHand])
            return kWhite;
        const std::int32_t t = PixelTime(dx, dy, pass.times.SolarMidnightSec);
        return MoonIsUp(t, pass.times.MoonriseSec, pass.times.MoonsetSec) ? kWhite : kBlack;
    }
    case FaceRing::Circle:
        return kBlack;
    case FaceRing::Week:
        return BlankedOrTurned(hands[WeekHand], dx, dy, pass.turns.week);
    case FaceRing::Hour:
        return BlankedOrTurned(hands[HourHand], dx, dy, pass.turns.hour);
    case FaceRing::Minute:
        return BlankedOrTurned(hands[MinuteHand], dx, dy, pass.turns.minute);
    case FaceRing::DayNightBand: {
        if (!hands[HourHand])
            return kWhite;
        const int grey = BandGrey(PixelTime(dx, dy, pass.times.SolarMidnightSec), pass.times);
        return Rgb(grey, grey, grey);
    }
    case FaceRing::Outside:
        break;
    }
    return pass.background;
}

void FaceRenderer::RenderFace(EventTimesOfDay& times, const HandSwitches& hands,
                              Colour background) {
    if (TableSize == 0)
        BuildTables();
    NormaliseSunTimes(times);
    const Pass pass{times, RingTurnsFor(times.SolarMidnightSec), hands, background};

    // The column x = width and the row y = height lie outside the buffer: nothing is written
    // there, so they are not visited.
    uchar* bits = face_.bits();
    const qsizetype stride = face_.bytesPerLine();
    for (int y = 0; y < geometry_.height; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(bits + y * stride);
        const int dy = y - geometry_.centreY;
        for (int x = 0; x < geometry_.width; ++x) {
            const Colour colour = RingPixel(x - geometry_.centreX, dy, pass);
            if (colour != kKept)
                line[x] = colour | kOpaque;
        }
    }
    faceDrawn_ = true;
}

} // namespace horvane
