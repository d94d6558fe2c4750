#include "resources/generator/IconDrawing.h"

#include "resources/generator/PolarPoint.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace horvane {
namespace {

// Colours of the clock itself: the day sky, the hour and minute hands, the centre.
const QColor kSky(158, 158, 226);
const QColor kNight(10, 10, 33);
const QColor kHourHand(255, 0, 0);
const QColor kMinuteHand(128, 0, 0);
const QColor kCentre(128, 0, 128);

void Hand(QPainter& painter, QPointF centre, double turn, double length, double width,
          const QColor& colour) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PointAt(centre, turn + 0.5, length / 4), PointAt(centre, turn, length));
}

} // namespace

QImage DrawIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Everything scales with the size; lines never get thinner than a pixel. Small icons drop
    // the sky ring so that the band and the hands stay readable.
    const double unit = size / 32.0;
    const double line = std::max(1.0, unit);
    const QPointF centre(size / 2.0, size / 2.0);
    const double outer = size / 2.0 - line / 2;
    const double sky = size >= 32 ? 3 * unit : 0;
    const double band = outer - sky;
    const double dial = band - std::max(2.0, 3 * unit);

    painter.setPen(QPen(Qt::black, line));
    painter.setBrush(kSky);
    painter.drawEllipse(centre, outer, outer);

    // The day-and-night band: day over the top, night under the bottom.
    QPainterPath night;
    night.moveTo(centre);
    night.arcTo(QRectF(centre.x() - band, centre.y() - band, 2 * band, 2 * band), 200, 140);
    night.closeSubpath();
    painter.setPen(sky > 0 ? QPen(Qt::black, line) : QPen(Qt::NoPen));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, band, band);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kNight);
    painter.drawPath(night);

    painter.setPen(QPen(Qt::black, line));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, dial, dial);

    Hand(painter, centre, 0.83, dial * 0.95, std::max(1.0, 1.6 * unit), kMinuteHand);
    Hand(painter, centre, 0.12, dial * 0.7, std::max(1.5, 2.2 * unit), kHourHand);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kCentre);
    painter.drawEllipse(centre, line * 0.75, line * 0.75);
    return image;
}

} // namespace horvane
