#include "clock/MainWindowLayout.h"

#include "clock/MainWindowDesign.h"
#include "platform/BasicTypes.h"

#include <QPushButton>
#include <QString>
#include <QWidget>

namespace horvane {
namespace {

struct TaggedPosition {
    int top = 0;
    int left = 0;
};

// QString::number and toInt use the C locale whatever the user's number format.
QString TagText(const QWidget& control) {
    return QString::number(control.y()) + "," + QString::number(control.x());
}

TaggedPosition ReadTag(const QWidget& control) {
    const QString tag = control.property(kTagProperty).toString();
    const qsizetype comma = tag.indexOf(',');
    return {tag.left(comma).toInt(), tag.mid(comma + 1).toInt()};
}

// A recorded coordinate moved by a share of the extra size: a third of the extra height, half of
// the extra width; unmoved when there is no extra. The sum is rounded, halves to even, so a
// half-pixel shift rounds differently for odd and even positions.
int Shifted(int recorded, int size, int recordedSize, double parts) {
    return size > recordedSize ? RoundEvenToInt32((size - recordedSize) / parts + recorded)
                               : recorded;
}

} // namespace

MainWindowLayout::MainWindowLayout(QWidget& window, std::vector<QWidget*> controls,
                                   QPushButton& sizeButton, const QWidget& boardEdge,
                                   TwipsPerPixel density)
    : window_(window), controls_(std::move(controls)), sizeButton_(sizeButton),
      boardEdge_(boardEdge), density_(density) {}

void MainWindowLayout::Resized() {
    if (!Recorded()) {
        for (QWidget* control : controls_)
            control->setProperty(kTagProperty, TagText(*control));
        Record();
        return;
    }
    MoveControls();
    UpdateSizeButton();
}

void MainWindowLayout::Record() {
    const QSize frame = FrameExtra();
    InitialScaleHeight = window_.height();
    compactClient_ = window_.size();
    InitialHeight = RoundEvenToInt32((window_.height() + frame.height()) * density_.y);
    CompactWidth = RoundEvenToInt32((window_.width() + frame.width()) * density_.x);
    BoardRight = boardEdge_.y() + boardEdge_.x();
    WideWidth = RoundEvenToInt32(boardEdge_.y() * density_.y + boardEdge_.x() * density_.x);
}

void MainWindowLayout::MoveControls() const {
    for (QWidget* control : controls_)
        control->move(PlaceOf(*control));
}

QPoint MainWindowLayout::PlaceOf(const QWidget& control) const {
    if (!Recorded())
        return control.pos();
    const TaggedPosition recorded = ReadTag(control);
    return {Shifted(recorded.left, window_.width(), BoardRight, 2),
            Shifted(recorded.top, window_.height(), InitialScaleHeight, 3)};
}

void MainWindowLayout::UpdateSizeButton() {
    const bool normal = !(window_.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    sizeButton_.setVisible(normal);
    const bool compact = OuterWidthTwips() < WideWidth;
    sizeButton_.setText(compact ? kWidenCaption : kNarrowCaption);
    sizeButton_.setAccessibleName(compact ? "Show the event board" : "Hide the event board");
}

void MainWindowLayout::ToggleSize() {
    if (OuterWidthTwips() < WideWidth) {
        const int wideOuter = RoundEvenToInt32(WideWidth / density_.x);
        window_.resize(wideOuter - FrameExtra().width(), window_.height());
    } else {
        // The compact size is restored as the client size it had: the window manager may not
        // have framed the window yet when the layout was recorded, and the outer size would
        // then leave the clock cut off.
        window_.resize(compactClient_);
    }
    window_.repaint();
}

QSize MainWindowLayout::FrameExtra() const {
    if (!window_.isWindow())
        return {};
    return window_.frameGeometry().size() - window_.geometry().size();
}

int MainWindowLayout::OuterWidthTwips() const {
    return RoundEvenToInt32((window_.width() + FrameExtra().width()) * density_.x);
}

} // namespace horvane
