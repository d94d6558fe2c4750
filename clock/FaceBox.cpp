#include "clock/FaceBox.h"

#include "clock/HandPainting.h"

#include <QImage>
#include <QPainter>

namespace horvane {
namespace {

bool SameLines(const HandLines& a, const HandLines& b) {
    for (int hand = 0; hand < kHandCount; ++hand) {
        const HandLine &x = a[hand], &y = b[hand];
        if (x.visible != y.visible || x.X1 != y.X1 || x.Y1 != y.Y1 || x.X2 != y.X2 || x.Y2 != y.Y2)
            return false;
    }
    return true;
}

} // namespace

FaceBox::FaceBox(QWidget* parent) : QWidget(parent), lines_(DesignHandLines()) {
    painted_ = lines_;
    // The face covers the box: nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void FaceBox::ShowFace(const QImage& face) {
    // Converted once here, so that every repaint is a plain copy.
    face_ = QPixmap::fromImage(face);
    update();
}

void FaceBox::HandsMoved() {
    if (SameLines(lines_, painted_))
        return;
    update();
}

void FaceBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.drawPixmap(0, 0, face_);
    DrawHandLines(painter, lines_);
    painted_ = lines_;
}

} // namespace horvane
