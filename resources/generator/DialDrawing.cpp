#include "resources/generator/DialDrawing.h"

#include "resources/generator/ArtworkFonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QString>
#include <array>
#include <cmath>

namespace horvane {
namespace {

// Pixel (111, 111) is the centre; painter coordinates put pixel centres at halves.
const QPointF kCentre(111.5, 111.5);

const QColor kMonthColour(0, 0, 128);
const QColor kWeekColour(0, 128, 0);
const QColor kHourColour(255, 0, 0);
const QColor kMinuteColour(128, 0, 0);
const QColor kCentreColour(128, 0, 128);

// Radii in pixels from the centre. A ring holds the pixels whose centres lie from its inner
// radius up to its outer one; strokes stop a pixel short of both, so that no ink, antialiasing
// included, falls on the circles the face draws between the rings.
struct Ring {
    double inner, outer;
    double InnerEdge() const { return inner + 1; }
    double OuterEdge() const { return outer - 1; }
    double Middle() const { return (inner + outer - 1) / 2; } // of the first and last pixel
};
constexpr Ring kWeekRing{65, 78};
constexpr Ring kHourRing{79, 93};
constexpr Ring kMinuteRing{94, 107};

constexpr double kYearCircle = 50;
constexpr double kMonthLabel = 39.5;
constexpr double kMonthStrokeInner = 44;
constexpr double kMoonSymbol = 56;
constexpr double kMoonSymbolRadius = 4;
constexpr double kHourTick = 2.25;
constexpr double kMinuteTick = 3;

constexpr double kPi = 3.14159265358979323846;

// 21 June 00:00 is at the top; a year of 365 days is one turn.
constexpr int kDaysPerYear = 365;
constexpr std::array<int, 12> kMonthDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
constexpr int kJuneIndex = 5;
constexpr int kMidsummerDay = 20; // 21 June, counted from 1 June
const char* const kMonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
const char* const kDayNames[] = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};

// A point at a radius and a turn clockwise from the top.
QPointF PointAt(double turn, double radius) {
    const double angle = turn * 2 * kPi;
    return kCentre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
}

class DialPainter {
public:
    explicit DialPainter(QImage& image) : painter_(&image) {
        painter_.setRenderHint(QPainter::Antialiasing);
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }

    void RadialStroke(double turn, double inner, double outer, double width = 1) {
        painter_.setPen(QPen(Qt::black, width, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(PointAt(turn, inner), PointAt(turn, outer));
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
        const QPointF centre = PointAt(turn, radius);
        const QPointF origin(std::round(centre.x() - ink.center().x()),
                             std::round(centre.y() - ink.center().y()));
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
        const QPointF centre = PointAt(turn, kMoonSymbol);
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
        painter_.fillRect(QRect(109, 111, 5, 1), kCentreColour);
        painter_.fillRect(QRect(111, 109, 1, 5), kCentreColour);
    }

private:
    QPainter painter_;
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
        dial.TangentialLabel(kDayNames[day], day / 7.0, kWeekRing.Middle(), font, kWeekColour);
        dial.RadialStroke((day + 0.5) / 7.0, kWeekRing.InnerEdge(), kWeekRing.OuterEdge());
    }
}

// Noon at the top, the afternoon down the right, Midnight at the bottom, the morning up the
// left.
void DrawHourRing(DialPainter& dial) {
    const QFont numberFont = ArtworkFont(9, false);
    const QFont wordFont = ArtworkFont(8, true);
    for (int hour = 0; hour < 24; ++hour) {
        const double turn = hour / 24.0;
        dial.RadialStroke(turn, kHourRing.InnerEdge(), kHourRing.InnerEdge() + kHourTick);
        dial.RadialStroke(turn, kHourRing.OuterEdge() - kHourTick, kHourRing.OuterEdge());
        const int clockHour = hour % 12;
        if (hour == 0)
            dial.UprightLabel("Noon", turn, kHourRing.Middle(), wordFont, kHourColour);
        else if (hour == 12)
            dial.UprightLabel("Midnight", turn, kHourRing.Middle(), wordFont, kHourColour);
        else
            dial.UprightLabel(QString::number(clockHour), turn, kHourRing.Middle(), numberFont,
                              kHourColour);
    }
}

// Five-minute numbers with a tick at every minute between them.
void DrawMinuteRing(DialPainter& dial) {
    const QFont font = ArtworkFont(9, true);
    for (int minute = 0; minute < 60; ++minute) {
        const double turn = minute / 60.0;
        if (minute % 5 == 0)
            dial.UprightLabel(QString::number(minute), turn, kMinuteRing.Middle(), font,
                              kMinuteColour);
        else
            dial.RadialStroke(turn, kMinuteRing.OuterEdge() - kMinuteTick, kMinuteRing.OuterEdge());
    }
}

} // namespace

QImage DrawDial() {
    QImage image(kDialSize, kDialSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        DialPainter dial(image);
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
