#include "platform/ui/FittedLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace horvane {
namespace {

// Percent of the font's width that still reads as the same type; below it the text is
// shortened instead.
constexpr int kNarrowestStretch = 85;
constexpr int kStretchStep = 5;

bool FitsIn(const QString& text, const QFont& font, int width) {
    return QFontMetrics(font).horizontalAdvance(text) <= width;
}

} // namespace

FittedLabel::Fit FittedLabel::Fitted() const {
    const int width = contentsRect().width();
    QFont font = this->font();
    if (FitsIn(text(), font, width))
        return {text(), font};
    for (int stretch = QFont::Unstretched - kStretchStep; stretch >= kNarrowestStretch;
         stretch -= kStretchStep) {
        font.setStretch(stretch);
        if (FitsIn(text(), font, width))
            return {text(), font};
    }
    return {QFontMetrics(font).elidedText(text(), Qt::ElideRight, width), font};
}

QString FittedLabel::ShownText() const {
    return Fitted().text;
}

QFont FittedLabel::ShownFont() const {
    return Fitted().font;
}

// A text that fits is drawn by the label itself, exactly as ever.
void FittedLabel::paintEvent(QPaintEvent* event) {
    const Fit fit = Fitted();
    if (fit.text == text() && fit.font == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fit.font);
    style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                          fit.text, foregroundRole());
}

} // namespace horvane
