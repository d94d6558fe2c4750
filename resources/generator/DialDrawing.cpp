#include "resources/generator/DialDrawing.h"

#include "resources/DialGeometry.h"
#include "resources/generator/ArtworkFonts.h"
#include "resources/generator/PolarPoint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <array>
#include <cmath>

namespace horvane {
namespace {

// Painter coordinates put pixel centres at halves.
const QPointF kCentre(kDialCentre + 0.5, kDialCentre + 0.5);

const QColor kMonthColour(0, 0, 128);
const QColor kWeekColour(0, 128, 0);
const QColor kHourColour(255, 0, 0);
const QColor kMinuteColour(128, 0, 0);
const QColor kCentreColour(128, 0, 128);

// Radii in pixels from the centre. Strokes stop a pixel short of both edges of their ring, so
// that no ink, antialiasing included, falls on the circles the face draws between the rings.
constexpr double InnerEdge(DialRing ring) {
    return ring.inner + 1;
}
constexpr double OuterEdge(DialRing ring) {
    return ring.outer - 1;
}
// Halfway between the ring's first and last pixel.
constexpr double Middle(DialRing ring) {
    return (ring.inner + ring.outer - 1) / 2.0;
}

// The year ring's own black circle, on its last pixel.
constexpr double kYearCircle = kYearRing.outer - 1;
constexpr double kMonthLabel = 39.5;
constexpr double kMonthStrokeInner = 44;
constexpr double kMoonSymbol = Middle(kMoonRing);
constexpr double kMoonSymbolRadius = 4;
constexpr double kHourTick = 2.25;
constexpr double kMinuteTick = 3;

// 21 June 00:00 is at the top; a year of 365 days is one turn.
constexpr int kDaysPerYear = 365;
constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kJuneIndex = 5;
constexpr int kMidsummerDay = 20; // 21 June, counted from 1 June
const char* const kMonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const kDayNames[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

// A point of the dial at radius, turn clockwise from the top.
QPointF DialPoint(double turn, double radius) {
    return PointAt(kCentre, turn, radius);
}

// Draws in dial pixels on a picture of scale device pixels each.
class DialPainter {
public:
    DialPainter(QImage& image, double scale) : painter_(&image), scale_(scale) {
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
        if (scale != 1)
            painter_.scale(scale, scale);
    }

    void RadialStroke(double turn, double inner, double outer, double width = 1) {
        painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(DialPoint(turn, inner), DialPoint(turn, outer));
    }

    void Circle(double radius) {
        painter_.setPen(QPen(Qt::black, 1));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawEllipse(kCentre, radius, radius);
    }

    // Upright text centred on a point of the ring, its origin on whole pixels so that the
    // hinted glyphs stay sharp.
    void UprightLabel(const QString& text, double turn, double radius, const QFont& font,
                      const QColor& colour) {
        const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
        const QPointF centre = DialPoint(turn, radius);
        const QPointF origin(OnDevicePixel(centre.x() - ink.center().x()),
                             OnDevicePixel(centre.y() - ink.center().y()));
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(origin, text);
    }

    // Text along the ring, its tops outwards in the upper half and inwards in the lower half so
    // that it reads from left to right everywhere.
    void TangentialLabel(const QString& text, double turn, double radius, const QFont& font,
                         const QColor& colour) {
        const QRectF ink = QFontMetricsF(font).tightBoundingRect(text);
        const bool lowerHalf = turn > 0.25 && turn < 0.75;
        painter_.save();
        painter_.translate(kCentre);
        painter_.rotate(turn * 360 + (lowerHalf ? 180 : 0));
        const double along = lowerHalf ? radius : -radius;
        painter_.setFont(font);
        painter_.setPen(colour);
        painter_.drawText(QPointF(-ink.center().x(), along - ink.center().y()), text);
        painter_.restore();
    }

    void MoonSymbol(double turn, double darkFrom, double darkSpan) {
        const QPointF centre = DialPoint(turn, kMoonSymbol);
        const QRectF box(centre.x() - kMoonSymbolRadius, centre.y() - kMoonSymbolRadius,
                         2 * kMoonSymbolRadius, 2 * kMoonSymbolRadius);
        painter_.setPen(QPen(Qt::black, 1));
        painter_.setBrush(Qt::black);
        if (darkSpan > 0)
            painter_.drawPie(box, int(darkFrom * 16), int(darkSpan * 16));
        painter_.setBrush(Qt::NoBrush);
        painter_.drawEllipse(box);
    }

    void CentrePlus() {
        painter_.fillRect(QRect(kDialCentre - 2, kDialCentre, 5, 1), kCentreColour);
        painter_.fillRect(QRect(kDialCentre, kDialCentre - 2, 1, 5), kCentreColour);
    }

private:
    // The nearest position on a whole device pixel.
    double OnDevicePixel(double position) const { return std::round(position * scale_) / scale_; }

    QPainter painter_;
    double scale_;
};

void DrawYearRing(DialPainter& dial) {
    QFont font = ArtworkFont(9, true);
    font.setStretch(85);
    // Days from 21 June to the first of each month, going round from July.
    int monthStart = kMonthDays[kJuneIndex] - kMidsummerDay;
    for (int step = 1; step <= 12; ++step) {
        const int month = (kJuneIndex + step) % 12;
        const double start = double(monthStart) / kDaysPerYear;
        const double middle = (monthStart + kMonthDays[month] / 2.0) / kDaysPerYear;
        dial.RadialStroke(start, kMonthStrokeInner, kYearCircle);
        dial.TangentialLabel(kMonthNames[month], middle, kMonthLabel, font, kMonthColour);
        monthStart += kMonthDays[month];
    }
    dial.Circle(kYearCircle);
}

// Full moon at the top, waning to the right, new at the bottom, waxing up the left.
void DrawMoonRing(DialPainter& dial) {
    struct Phase {
        double darkFrom, darkSpan; // degrees, counter-clockwise from three o'clock
    };
    const Phase phases[8] = {{0, 0},   {0, 0},   {-90, 180}, {0, 360},
                             {0, 360}, {0, 360}, {90, 180},  {0, 0}};
    for (int eighth = 0; eighth < 8; ++eighth)
        dial.MoonSymbol(eighth / 8.0, phases[eighth].darkFrom, phases[eighth].darkSpan);
}

// Each day's name at its noon, strokes at the midnights; Sunday at the top.
void DrawWeekRing(DialPainter& dial) {
    const QFont font = ArtworkFont(9, true);
    for (int day = 0; day < 7; ++day) {
        dial.TangentialLabel(kDayNames[day], day / 7.0, Middle(kWeekRing), font, kWeekColour);
        dial.RadialStroke((day + 0.5) / 7.0, InnerEdge(kWeekRing), OuterEdge(kWeekRing));
    }
}

// Noon at the top, the afternoon down the right, Midnight at the bottom, the morning up the
// left.
void DrawHourRing(DialPainter& dial) {
    const QFont numberFont = ArtworkFont(9, false);
    const QFont wordFont = ArtworkFont(8, true);
    for (int hour = 0; hour < 24; ++hour) {
        const double turn = hour / 24.0;
        dial.RadialStroke(turn, InnerEdge(kHourRing), InnerEdge(kHourRing) + kHourTick);
        dial.RadialStroke(turn, OuterEdge(kHourRing) - kHourTick, OuterEdge(kHourRing));
        const int clockHour = hour % 12;
        if (hour == 0)
            dial.UprightLabel("Noon", turn, Middle(kHourRing), wordFont, kHourColour);
        else if (hour == 12)
            dial.UprightLabel("Midnight", turn, Middle(kHourRing), wordFont, kHourColour);
        else
            dial.UprightLabel(QString::number(clockHour), turn, Middle(kHourRing), numberFont,
                              kHourColour);
    }
}

// Five-minute numbers with a tick at every minute between them.
void DrawMinuteRing(DialPainter& dial) {
    const QFont font = ArtworkFont(9, true);
    for (int minute = 0; minute < 60; ++minute) {
        const double turn = minute / 60.0;
        if (minute % 5 == 0)
            dial.UprightLabel(QString::number(minute), turn, Middle(kMinuteRing), font,
                              kMinuteColour);
        else
            dial.RadialStroke(turn, OuterEdge(kMinuteRing) - kMinuteTick, OuterEdge(kMinuteRing));
    }
}

} // namespace

QImage DrawDial(double scale) {
    const int size = DeviceLength(kDialSize, scale);
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        DialPainter dial(image, scale);
        DrawYearRing(dial);
        DrawMoonRing(dial);
        DrawWeekRing(dial);
        DrawHourRing(dial);
        DrawMinuteRing(dial);
        dial.CentrePlus();
    }
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace horvane
