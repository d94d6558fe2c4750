#include "clock/HandPainting.h"

#include <QColor>
#include <QPainter>
#include <QPen>

namespace horvane {
namespace {

constexpr Hand kBottomToTop[] = {YearHand, MoonHand, WeekHand, HourHand, MinuteHand, SecondHand};

} // namespace

QColor ToQColor(Colour colour) {
    return QColor(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void DrawHandLines(QPainter& painter, const HandLines& lines) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // A hand's coordinates name pixels; their centres lie half a pixel in.
    painter.translate(0.5, 0.5);
    for (Hand hand : kBottomToTop) {
        const HandLine& line = lines[hand];
        if (!line.visible)
            continue;
        painter.setPen(QPen(ToQColor(line.colour), line.width, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2));
    }
    painter.restore();
}

} // namespace horvane
