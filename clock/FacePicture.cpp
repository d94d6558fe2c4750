#include "clock/FacePicture.h"

#include "astro/DateSerial.h"
#include "clock/FaceRenderer.h"
#include "clock/HandPainting.h"
#include "clock/TickHands.h"
#include "clock/TickValues.h"
#include "resources/Artwork.h"

#include <QPainter>

namespace horvane {

QImage ComposeFacePicture(DateSerial now, EventTimesOfDay times, const HandSwitches& hands) {
    return ComposeFacePicture(DialArtwork(), now, times, hands);
}

QImage ComposeFacePicture(const QImage& dial, DateSerial now, EventTimesOfDay times,
                          const HandSwitches& hands) {
    const SecondsOfDay sec = SecondsOfDayOf(now);
    // The sky colour is set before the face is rendered; the hands use the times the renderer
    // corrected.
    const Colour sky = SkyColour(SkyLevelAt(sec, times));
    FaceRenderer renderer(dial);
    renderer.RenderFace(times, hands, sky);

    const FaceGeometry& geometry = renderer.Geometry();
    const HandPivot pivot{geometry.centreX, geometry.centreY};
    HandLines lines = DesignHandLines();
    const HandLengthArray lengths = MeasureHands(lines);
    ShowHands(lines, hands);
    PlaceSlowHands(lines, lengths, hands, now, sec, pivot);
    PlaceFastHands(lines, lengths, hands, sec, times, pivot);

    QImage picture = renderer.Face().convertToFormat(QImage::Format_RGB32);
    QPainter painter(&picture);
    DrawHandLines(painter, lines);
    return picture;
}

} // namespace horvane
