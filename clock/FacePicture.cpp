#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/FaceRenderer.h"
#include "clock/HandPainting.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"
#include "resources/Artwork.h"

#include <QPainter>

namespace horvane {

QImage ComposeFacePicture(DateSerial now, EventTimesOfDay times, const HandSwitches& hands,
                          double scale) {
    return ComposeFacePicture(DialArtwork(scale), now, times, hands, scale);
}

QImage ComposeFacePicture(const QImage& dial, DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands, double scale) {
    const SecondsOfDay sec = SecondsOfDayOf(now);
    // The sky colour is set before the face is rendered; the hands use the times the renderer
    // corrected.
    const Colour sky = SkyColour(SkyLevelAt(sec, times));
    FaceGeometry geometry;
    geometry.scale = scale;
    FaceRenderer renderer(dial, geometry);
    renderer.RenderFace(times, hands, sky);

    const HandPivot pivot{geometry.centreX, geometry.centreY};
    HandLines lines = DesignHandLines();
    const HandLengthArray lengths = MeasureHands(lines);
    ShowHands(lines, hands);
    PlaceSlowHands(lines, lengths, hands, now, sec, pivot);
    PlaceFastHands(lines, lengths, hands, sec, times, pivot);

    // The painter keeps the picture's device pixel ratio: the hands are laid in face pixels and
    // drawn in device pixels.
    QImage picture = renderer.Face().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    DrawHandLines(painter, lines);
    return picture;
}

} // namespace horvane
