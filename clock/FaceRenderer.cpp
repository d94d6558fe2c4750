#include "clock/FaceRenderer.h"

#include "clock/FullTurn.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace horvane {
namespace {

// Format_RGBX8888 keeps the bytes R, G, B, X in memory, so a pixel read as a 32-bit word is a
// Colour with the X byte on top.
static_assert(std::endian::native == std::endian::little);
constexpr std::uint32_t kOpaque = 0xFF000000;
constexpr std::uint32_t kColourBits = 0x00FFFFFF;

// Int() of a sampling position, without a library call.
int FloorToInt(double value) {
    const int truncated = int(value);
    return value < truncated ? truncated - 1 : truncated;
}

// The device pixel index of a face pixel's middle: half a pixel in, and at another scale scale
// times as far from the corner.
double DeviceCentre(int centre, double scale) {
    return (centre + 0.5) * scale - 0.5;
}

} // namespace

struct FaceRenderer::Pass {
    EventTimesOfDay times;
    RingTurns turns;
    HandSwitches hands;
    Colour background;
};

FaceGeometry FaceGeometryOf(int width, int height, double scale) {
    return {width, height, int(Int(width / 2.0)) - 2, int(Int(height / 2.0)) - 2, scale};
}

FaceRenderer::FaceRenderer(const QImage& dial, FaceGeometry geometry)
    : geometry_(geometry), centreX_(DeviceCentre(geometry.centreX, geometry.scale)),
      centreY_(DeviceCentre(geometry.centreY, geometry.scale)),
      face_(DeviceLength(geometry.width, geometry.scale),
            DeviceLength(geometry.height, geometry.scale), QImage::Format_RGBX8888) {
    face_.setDevicePixelRatio(geometry.scale);
    const QImage rgbx = dial.convertToFormat(QImage::Format_RGBX8888);
    dialWidth_ = rgbx.width();
    dialHeight_ = rgbx.height();
    dial_.resize(std::size_t(dialWidth_) * std::size_t(dialHeight_));
    for (int y = 0; y < dialHeight_; ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(rgbx.constScanLine(y));
        for (int x = 0; x < dialWidth_; ++x)
            dial_[std::size_t(y) * dialWidth_ + x] = line[x] & kColourBits;
    }
    for (int y = 0; y < face_.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(face_.scanLine(y));
        for (int x = 0; x < face_.width(); ++x)
            line[x] = DialPixel(x, y) | kOpaque;
    }
    FindRingSpans();
}

// The ring of each pixel never changes, so the runs of pixels that share one are found once;
// a pass then paints run by run instead of sorting every pixel anew. The column x = width and
// the row y = height lie outside the buffer: nothing would be written there.
void FaceRenderer::FindRingSpans() {
    const RingLimits limits(geometry_.scale);
    for (int y = 0; y < face_.height(); ++y) {
        const double dy = DeviceY(y);
        for (int x = 0; x < face_.width(); ++x) {
            const double dx = DeviceX(x);
            const FaceRing ring = limits.RingOf(dx * dx + dy * dy);
            if (x > 0 && spans_.back().ring == ring)
                spans_.back().end = x + 1;
            else
                spans_.push_back({y, x, x + 1, ring});
        }
    }
    for (RingSpan& span : spans_)
        if (span.ring == FaceRing::MoonUp || span.ring == FaceRing::DayNightBand)
            NoteTimes(span);
}

// The rings that show times keep each pixel's share of the day: only solar midnight changes
// from pass to pass.
void FaceRenderer::NoteTimes(RingSpan& span) {
    span.firstTime = int(secondsAfterSolarMidnight_.size());
    const double dy = DeviceY(span.y);
    for (int x = span.begin; x < span.end; ++x)
        secondsAfterSolarMidnight_.push_back(SecondsAfterSolarMidnight(DeviceX(x), dy));
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
Colour FaceRenderer::TurnedPixel(double dx, double dy, int turn) const {
    const double s = SinTable[turn];
    const double c = CosTable[turn];
    const double sx = centreX_ + dx * c + dy * s;
    const double sy = centreY_ - dx * s + dy * c;
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

void FaceRenderer::PaintTurned(std::uint32_t* line, const RingSpan& span, int turn) const {
    const double dy = DeviceY(span.y);
    for (int x = span.begin; x < span.end; ++x)
        line[x] = TurnedPixel(DeviceX(x), dy, turn) | kOpaque;
}

// White where the moon is up at the pixel's time, black where it is down.
void FaceRenderer::PaintMoonUp(std::uint32_t* line, const RingSpan& span,
                               const EventTimesOfDay& times) const {
    const std::int32_t* after = &secondsAfterSolarMidnight_[std::size_t(span.firstTime)];
    for (int x = span.begin; x < span.end; ++x) {
        const std::int32_t t = ClockTimeAt(*after++, times.SolarMidnightSec);
        line[x] = (MoonIsUp(t, times.MoonriseSec, times.MoonsetSec) ? kWhite : kBlack) | kOpaque;
    }
}

// The grey of day, twilight or night at the pixel's time.
void FaceRenderer::PaintDayAndNight(std::uint32_t* line, const RingSpan& span,
                                    const EventTimesOfDay& times) const {
    const std::int32_t* after = &secondsAfterSolarMidnight_[std::size_t(span.firstTime)];
    for (int x = span.begin; x < span.end; ++x) {
        const int grey = BandGrey(ClockTimeAt(*after++, times.SolarMidnightSec), times);
        line[x] = Rgb(grey, grey, grey) | kOpaque;
    }
}

// A ring whose hand is on is turned on every pass; one whose hand is off is blanked on the
// first pass and then kept.
void FaceRenderer::PaintBlankedOrTurned(std::uint32_t* line, const RingSpan& span, bool handOn,
                                        int turn) const {
    if (handOn)
        PaintTurned(line, span, turn);
    else if (!faceDrawn_)
        std::fill(line + span.begin, line + span.end, kWhite | kOpaque);
}

void FaceRenderer::PaintSpan(std::uint32_t* line, const RingSpan& span, const Pass& pass) const {
    const HandSwitches& hands = pass.hands;
    const auto fill = [&](Colour colour) {
        std::fill(line + span.begin, line + span.end, colour | kOpaque);
    };
    switch (span.ring) {
    case FaceRing::CentreDisc:
        break;
    case FaceRing::Year:
        if (!hands[YearHand])
            fill(kWhite);
        else if (!faceDrawn_)
            PaintTurned(line, span, pass.turns.year);
        break;
    case FaceRing::Moon:
        if (!hands[MoonHand] && !faceDrawn_)
            fill(kWhite);
        break;
    case FaceRing::InnerMoonCircle:
        fill(hands[MoonHand] ? kBlack : kWhite);
        break;
    case FaceRing::MoonUp:
        if (hands[MoonHand])
            PaintMoonUp(line, span, pass.times);
        else
            fill(kWhite);
        break;
    case FaceRing::Circle:
        fill(kBlack);
        break;
    case FaceRing::Week:
        PaintBlankedOrTurned(line, span, hands[WeekHand], pass.turns.week);
        break;
    case FaceRing::Hour:
        PaintBlankedOrTurned(line, span, hands[HourHand], pass.turns.hour);
        break;
    case FaceRing::Minute:
        PaintBlankedOrTurned(line, span, hands[MinuteHand], pass.turns.minute);
        break;
    case FaceRing::DayNightBand:
        if (hands[HourHand])
            PaintDayAndNight(line, span, pass.times);
        else
            fill(kWhite);
        break;
    case FaceRing::Outside:
        fill(pass.background);
        break;
    }
}

void FaceRenderer::RenderFace(EventTimesOfDay& times, const HandSwitches& hands,
                              Colour background) {
    if (TableSize == 0)
        BuildTables();
    NormaliseSunTimes(times);
    const Pass pass{times, RingTurnsFor(times.SolarMidnightSec), hands, background};

    uchar* bits = face_.bits();
    const qsizetype stride = face_.bytesPerLine();
    for (const RingSpan& span : spans_)
        PaintSpan(reinterpret_cast<std::uint32_t*>(bits + span.y * stride), span, pass);
    faceDrawn_ = true;
}

} // namespace horvane
