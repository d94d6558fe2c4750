#include "clock/FaceBox.h"

#include "clock/HandPainting.h"

#include <QPainter>
#include <QRegion>

namespace horvane {
namespace {

bool SameLine(const HandLine& a, const HandLine& b) {
    return a.visible == b.visible && a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
}

// The pixels a drawn line can touch: its bounding box widened by the pen and the antialiasing.
QRect Footprint(const HandLine& line) {
    if (!line.visible)
        return {};
    const int margin = line.width + 2;
    const QRectF box = QRectF(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2)).normalized();
    return box.toAlignedRect().adjusted(-margin, -margin, margin, margin);
}

} // namespace

FaceBox::FaceBox(QWidget* parent) : QWidget(parent), lines_(DesignHandLines()) {
    painted_ = lines_;
    // The face covers the box: nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FaceBox::ShowFace(const QImage& face) {
    face_ = face;
    update();
}

// Only where a hand was or now is: a tick usually moves the second hand alone.
void FaceBox::HandsMoved() {
    QRegion changed;
    for (int hand = 0; hand < kHandCount; ++hand)
        if (!SameLine(lines_[hand], painted_[hand]))
            changed += Footprint(lines_[hand]).united(Footprint(painted_[hand]));
    if (!changed.isEmpty())
        update(changed);
}

void FaceBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.drawImage(0, 0, face_);
    DrawHandLines(painter, lines_);
    painted_ = lines_;
}

} // namespace horvane
