#pragma once
// The clock window's layout: on every resize the arrangement of controls moves towards the
// middle of a larger client area, and the size button toggles between the compact window
// (the clock only) and the wide one (with the event board).

#include "platform/ui/ScreenDensity.h"

#include <QPoint>
#include <QSize>
#include <vector>

class QPushButton;
class QWidget;

namespace horvane {

// Each control's recorded position lives in its "Tag" property as "Top,Left" in pixels, written
// and read without regard to the user's number format.
inline constexpr const char* kTagProperty = "Tag";

class MainWindowLayout {
public:
    // The window, the controls that take part and the size button. boardEdge is the label whose
    // Top + Left marks the right edge of the board.
    MainWindowLayout(QWidget& window, std::vector<QWidget*> controls, QPushButton& sizeButton,
                     const QWidget& boardEdge, TwipsPerPixel density);

    // The resize handler: the first pass with a client area of some height records the layout,
    // the later ones move the controls and update the size button.
    void Resized();

    // The size button's click: widens a compact window, or restores the compact size.
    void ToggleSize();

    bool Recorded() const { return InitialScaleHeight != 0; }

    // Where the layout puts control at the window's present size: its recorded place moved
    // towards the middle; where it stands while nothing is recorded.
    QPoint PlaceOf(const QWidget& control) const;

    // Outer sizes in twips, recorded at the first layout.
    int InitialHeight = 0;
    int CompactWidth = 0;
    int WideWidth = 0;
    // Client height at the first layout, pixels; 0 until the layout is recorded.
    int InitialScaleHeight = 0;
    // Top + Left of the board's edge label, pixels.
    int BoardRight = 0;

private:
    void Record();
    void MoveControls() const;
    void UpdateSizeButton();
    QSize FrameExtra() const;
    int OuterWidthTwips() const;

    QWidget& window_;
    std::vector<QWidget*> controls_;
    QPushButton& sizeButton_;
    const QWidget& boardEdge_;
    TwipsPerPixel density_;
    QSize compactClient_; // client size at the first layout
};

} // namespace horvane
