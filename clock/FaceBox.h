#pragma once
// The face box: shows the face buffer as it was last rendered, with the visible hands drawn
// over it in their colours and widths.

#include "clock/HandGeometry.h"

#include <QPixmap>
#include <QWidget>

class QImage;

namespace horvane {

class FaceBox : public QWidget {
public:
    explicit FaceBox(QWidget* parent = nullptr);

    // Takes a copy of the finished face and repaints.
    void ShowFace(const QImage& face);

    // The hand lines as they stand; after changing them call HandsMoved.
    HandLines& Lines() { return lines_; }
    const HandLines& Lines() const { return lines_; }
    // Repaints when a line differs from what was last painted.
    void HandsMoved();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap face_;
    HandLines lines_;
    HandLines painted_;
};

} // namespace horvane
