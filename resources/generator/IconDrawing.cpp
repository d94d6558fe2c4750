#include "resources/generator/IconDrawing.h"

#include "resources/generator/PolarPoint.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace horvane {
namespace {

// Colours of the clock itself: the day sky, the hour and minute hands, the centre.
const QColor kSky(158, 158, 226);
const QColor kNight(10, 10, 33);
const QColor kHourHand(255, 0, 0);
const QColor kMinuteHand(128, 0, 0);
const QColor kCentre(128, 0, 128);

// Colours of the sky pictures.
const QColor kDuskHigh(70, 70, 150);
const QColor kDuskLow(245, 150, 80);
const QColor kDayGround(70, 120, 50);
const QColor kNightGround(25, 35, 25);
const QColor kSun(255, 200, 0);
const QColor kSunRim(200, 110, 0);
const QColor kMoonLit(245, 240, 205);
const QColor kMoonDark(55, 55, 85);

// Where the sky pictures place the horizon, the sun and the moon, as shares of the size.
constexpr double kHorizon = 0.7;
constexpr double kSunHeight = 0.38;
constexpr double kSunRadius = 0.19;
constexpr double kMoonHeight = 0.42;
constexpr double kMoonRadius = 0.26;
constexpr int kLimbSteps = 48; // points along each edge of the moon's lit part

void Hand(QPainter& painter, QPointF centre, double turn, double length, double width,
          const QColor& colour) {
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(PointAt(centre, turn + 0.5, length / 4), PointAt(centre, turn, length));
}

// The lit part of a moon of the radius about centre at phase (0 full, 0.5 new): the limb on the
// lit side from top to bottom, then the terminator, a half ellipse, back up.
QPainterPath LitMoon(QPointF centre, double radius, double phase) {
    const double side = phase > 0.5 ? 1 : -1; // right lit while waxing
    const double bulge = std::cos(2 * std::numbers::pi * phase);
    QPainterPath lit;
    for (int step = 0; step <= kLimbSteps; ++step) {
        const double angle = std::numbers::pi * step / kLimbSteps;
        const QPointF limb(side * radius * std::sin(angle), -radius * std::cos(angle));
        step == 0 ? lit.moveTo(centre + limb) : lit.lineTo(centre + limb);
    }
    for (int step = 0; step <= kLimbSteps; ++step) {
        const double angle = std::numbers::pi * step / kLimbSteps;
        lit.lineTo(centre +
                   QPointF(-side * bulge * radius * std::sin(angle), radius * std::cos(angle)));
    }
    lit.closeSubpath();
    return lit;
}

QBrush SkyBrush(SkyState state, int size) {
    switch (state) {
    case SkyState::Day:
        return kSky;
    case SkyState::Twilight:
        break;
    case SkyState::Night:
        return kNight;
    }
    QLinearGradient dusk(0, 0, 0, kHorizon * size);
    dusk.setColorAt(0, kDuskHigh);
    dusk.setColorAt(1, kDuskLow);
    return dusk;
}

void Sun(QPainter& painter, QPointF centre, double radius, double line) {
    painter.setPen(QPen(kSunRim, line));
    painter.setBrush(kSun);
    painter.drawEllipse(centre, radius, radius);
}

void Moon(QPainter& painter, QPointF centre, double radius, int bucket) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(kMoonDark);
    painter.drawEllipse(centre, radius, radius);
    painter.setBrush(kMoonLit);
    painter.drawPath(LitMoon(centre, radius, double(bucket) / kMoonPhaseBuckets));
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

QImage DrawSkyIcon(const SkyPicture& sky, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const double line = std::max(1.0, size / 32.0);
    const QPointF centre(size / 2.0, size / 2.0);
    const double outer = size / 2.0 - line / 2;
    QPainterPath disc;
    disc.addEllipse(centre, outer, outer);
    painter.setClipPath(disc);
    painter.fillRect(image.rect(), SkyBrush(sky.state, size));

    const double horizon = kHorizon * size;
    if (sky.state == SkyState::Night)
        Moon(painter, QPointF(centre.x(), kMoonHeight * size), kMoonRadius * size, sky.moonBucket);
    else
        Sun(painter, QPointF(centre.x(), sky.state == SkyState::Day ? kSunHeight * size : horizon),
            kSunRadius * size, line);
    painter.fillRect(QRectF(0, horizon, size, size - horizon),
                     sky.state == SkyState::Night ? kNightGround : kDayGround);

    painter.setClipping(false);
    painter.setPen(QPen(Qt::black, line));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, outer, outer);
    return image;
}

} // namespace horvane
