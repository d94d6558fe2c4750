#pragma once
// The clock window as designed: each control's name, text, place and look, in twips of the
// window's client area (15 twips to the pixel at 96 dots per inch).

#include "astro/EventBoard.h"

#include <Qt>
#include <array>

namespace horvane {

// A rectangle in twips.
struct DesignRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The window's client area and the two face boxes.
inline constexpr int kDesignClientWidth = 4035;
inline constexpr int kDesignClientHeight = 4620;
inline constexpr DesignRect kFaceBoxDesign{360, 360, 3410, 3410};
inline constexpr DesignRect kFaceBaseBoxDesign{360, 360, 3420, 3420};

inline constexpr DesignRect kLocationButtonDesign{3645, 4320, 285, 255};
inline constexpr DesignRect kSizeButtonDesign{3510, 3705, 420, 255};

inline constexpr const char* kWidenCaption = "&>>";
inline constexpr const char* kNarrowCaption = "&<<";
// Put before the time line while the clock stands still: at the front it survives a line
// too long for its label.
inline constexpr const char* kPausedMark = "(paused) ";

// The compass letters' type, in points (the other labels have the form's font).
inline constexpr double kCompassPointSize = 12;

enum class LabelLook { Plain, Compass };

struct LabelDesign {
    const char* name;
    const char* text;
    DesignRect place;
    Qt::Alignment alignment;
    LabelLook look = LabelLook::Plain;
};

// The time line's place under the face; its left is also the margin a longer line keeps from
// the window's edges.
inline constexpr DesignRect kTimeLineDesign{180, 4110, 3720, 195};

// The labels besides the board's value labels. The compass letters S and N are at the top
// and the bottom as designed; the tick swaps them south of the equator.
inline constexpr std::array<LabelDesign, 17> kLabelDesigns{{
    {"lblUpgrade", "Yes 12:00pm", {5070, 4110, 2310, 210}, Qt::AlignRight},
    {"lblLocation", "X", {495, 4335, 3105, 195}, Qt::AlignHCenter},
    {"lblTime", "X", kTimeLineDesign, Qt::AlignHCenter},
    {"lblSouth", "S", {1965, 45, 180, 315}, Qt::AlignHCenter, LabelLook::Compass},
    {"lblNorth", "N", {1965, 3720, 180, 315}, Qt::AlignHCenter, LabelLook::Compass},
    // W is set from the left; its label reaches to the face, wide enough for a wider type.
    {"lblWest", "W", {75, 1905, 285, 315}, Qt::AlignLeft, LabelLook::Compass},
    {"lblEast", "E", {3765, 1920, 180, 315}, Qt::AlignRight, LabelLook::Compass},
    {"Label1", "Last", {5610, 630, 705, 210}, Qt::AlignRight},
    {"Label2", "Next", {6690, 630, 705, 210}, Qt::AlignRight},
    {"Label3", "Twilight Begins", {3975, 945, 1230, 210}, Qt::AlignRight},
    {"Label4", "Sun Rise", {3975, 1290, 1230, 210}, Qt::AlignRight},
    {"Label5", "Sun Transit", {3975, 1650, 1230, 210}, Qt::AlignRight},
    {"Label10", "Sun Set", {3975, 1995, 1230, 210}, Qt::AlignRight},
    {"Label6", "Twilight Ends", {3975, 2340, 1230, 210}, Qt::AlignRight},
    {"Label8", "Moon Rise", {3975, 2805, 1230, 210}, Qt::AlignRight},
    {"Label7", "Moon Set", {3975, 3150, 1230, 210}, Qt::AlignRight},
    {"Label9", "Moon Transit", {3975, 3750, 1230, 210}, Qt::AlignRight},
}};

// The board's value labels: one row per event, the last value left of the next.
inline constexpr const char* kBoardValueText = "Yes 12:00pm";
inline constexpr int kBoardLastLeft = 5265;
inline constexpr int kBoardNextLeft = 6345;
inline constexpr int kBoardValueWidth = 1050;
inline constexpr int kBoardRowHeight = 210;

struct BoardRowDesign {
    const char* lastName;
    const char* nextName;
    int top;
    const char* spokenEvent; // what a screen reader says the row is about
};

// The rows in board order (BoardEvent), then the hidden moon transit row.
inline constexpr std::array<BoardRowDesign, kBoardEventCount> kBoardRowDesigns{{
    {"lblLastTwilightUp", "lblNextTwilightUp", 945, "twilight begins"},
    {"lblLastSunRise", "lblNextSunRise", 1290, "sunrise"},
    {"lblLastSunTransit", "lblNextSunTransit", 1650, "sun transit"},
    {"lblLastSunSet", "lblNextSunSet", 1995, "sunset"},
    {"lblLastTwilightDown", "lblNextTwilightDown", 2340, "twilight ends"},
    {"lblLastMoonRise", "lblNextMoonRise", 2805, "moonrise"},
    {"lblLastMoonSet", "lblNextMoonSet", 3150, "moonset"},
}};
inline constexpr BoardRowDesign kMoonTransitRowDesign{"lblLastMoonTransit", "lblNextMoonTransit",
                                                      3750, "moon transit"};

// The row whose next value's Top + Left marks the board's right edge for the layout.
inline constexpr BoardEvent kBoardEdgeRow = BoardEvent::SunRise;

} // namespace horvane
