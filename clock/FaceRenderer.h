#pragma once
// The face picture: the dial artwork with its rings turned to solar time, the day-and-night
// band, the moon-up ring and the sky colour around it, composed in a buffer that lives as long
// as its owner.

#include "astro/EventTimesOfDay.h"
#include "clock/Colour.h"
#include "clock/FaceRules.h"
#include "clock/HandGeometry.h"
#include "resources/DialGeometry.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <vector>

namespace horvane {

// The face's size and the pivot of the rings and hands, in face pixels, and the device pixels
// per face pixel it is drawn at.
struct FaceGeometry {
    int width = 227;
    int height = 227;
    int centreX = kDialCentre;
    int centreY = kDialCentre;
    double scale = 1;
};

// The geometry of a face of that size, its centre two pixels up and left of the middle.
FaceGeometry FaceGeometryOf(int width, int height, double scale = 1);

class FaceRenderer {
public:
    // The buffer starts as a copy of the dial artwork, white where the artwork ends. The dial
    // is drawn at the geometry's scale (DialArtwork(scale)); the buffer has DeviceLength pixels
    // across and down, and that scale as its device pixel ratio.
    FaceRenderer(const QImage& dial, FaceGeometry geometry = {});

    // One pass over the face. A negative solar midnight, twilight, sunrise or sunset time has a
    // day added, in the caller's record too. Rings whose hand is off are blanked on the first
    // pass and then left alone; the year ring is turned on the first pass only and the moon
    // ring is never repainted.
    void RenderFace(EventTimesOfDay& times, const HandSwitches& hands, Colour background);

    // The face as composed so far, Format_RGBX8888; FacePixel reads it in device pixels.
    const QImage& Face() const { return face_; }
    Colour FacePixel(int x, int y) const;

    const FaceGeometry& Geometry() const { return geometry_; }
    bool FaceDrawn() const { return faceDrawn_; }

private:
    struct Pass;

    // A run of pixels of one row that lie on the same ring, x from begin up to end.
    struct RingSpan {
        int y;
        int begin;
        int end;
        FaceRing ring;
        int firstTime = -1; // index of its first pixel's time, on the rings that show times
    };

    void FindRingSpans();
    void NoteTimes(RingSpan& span);
    void BuildTables();
    Colour DialPixel(int x, int y) const;
    Colour TurnedPixel(double dx, double dy, int turn) const;
    double DeviceX(int x) const { return x - centreX_; }
    double DeviceY(int y) const { return y - centreY_; }
    void PaintSpan(std::uint32_t* line, const RingSpan& span, const Pass& pass) const;
    void PaintTurned(std::uint32_t* line, const RingSpan& span, int turn) const;
    void PaintMoonUp(std::uint32_t* line, const RingSpan& span, const EventTimesOfDay& times) const;
    void PaintDayAndNight(std::uint32_t* line, const RingSpan& span,
                          const EventTimesOfDay& times) const;
    void PaintBlankedOrTurned(std::uint32_t* line, const RingSpan& span, bool handOn,
                              int turn) const;

    FaceGeometry geometry_;
    // The centre pixel's middle, in device pixel indices: whole at scale 1, between two pixels
    // at scale 2.
    double centreX_ = 0;
    double centreY_ = 0;
    std::vector<RingSpan> spans_;                         // every pixel of the buffer, row by row
    std::vector<std::int32_t> secondsAfterSolarMidnight_; // by span, then pixel
    int dialWidth_ = 0;
    int dialHeight_ = 0;
    std::vector<Colour> dial_; // row by row, read directly in the pixel loop
    QImage face_;

    bool faceDrawn_ = false;
    std::int16_t TableSize = 0;
    std::array<double, kTurnSteps> SinTable{};
    std::array<double, kTurnSteps> CosTable{};
};

} // namespace horvane
