#pragma once
// The face box: shows the face buffer as it was last rendered, with the visible hands drawn
// over it in their colours and widths.

#include "clock/HandGeometry.h"

#include <QImage>
#include <QWidget>

namespace horvane {

class FaceBox : public QWidget {
public:
    explicit FaceBox(QWidget* parent = nullptr);

    // Shows the finished face and repaints. The picture is shared, not copied: the renderer's
    // next pass writes to a buffer of its own, and the box lets go of this one when it is given
    // that one.
    void ShowFace(const QImage& face);

    // The hand lines as they stand; after changing them call HandsMoved.
    HandLines& Lines() { return lines_; }
    const HandLines& Lines() const { return lines_; }
    // Repaints when a line differs from what was last painted.
    void HandsMoved();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage face_;
    HandLines lines_;
    HandLines painted_;
};

} // namespace horvane
