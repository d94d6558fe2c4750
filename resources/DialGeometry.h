#pragma once
// The geometry of the dial picture, in pixels: its size, the centre pixel the rings turn
// about and the hands pivot on, and the radii of its rings. The artwork is drawn to it and
// the face is composed by it.

namespace horvane {

inline constexpr int kDialSize = 223;   // width and height of the dial picture
inline constexpr int kDialCentre = 111; // x and y of the centre pixel

// The pixels whose distance r from the centre lies in inner <= r < outer.
struct DialRing {
    int inner;
    int outer;
};

// The rings the artwork draws on, inside out. Radius 29 and below is the centre disc.
inline constexpr DialRing kYearRing{29, 51};
inline constexpr DialRing kMoonRing{51, 62};
inline constexpr DialRing kWeekRing{65, 78};
inline constexpr DialRing kHourRing{79, 93};
inline constexpr DialRing kMinuteRing{94, 107};

// One-pixel rings the face paints itself: the inner moon circle and the moon-up ring just
// outside the moon ring, the day-and-night band outside the minute ring, and the black circles
// at 64, 78, 93, 107 and 111 between the rings.
inline constexpr int kInnerMoonCircleRadius = 62;
inline constexpr int kMoonUpRadius = 63;
inline constexpr DialRing kDayNightBand{108, 111};
inline constexpr int kOutermostCircleRadius = 111; // everything beyond it is outside the dial

// The device pixels that cover length pixels of the dial or the face drawn at scale device
// pixels per pixel (1 on an ordinary screen, 2 on a doubled one): whole ones, rounded up.
constexpr int DeviceLength(int length, double scale) {
    const double exact = length * scale;
    const int whole = int(exact);
    return whole < exact ? whole + 1 : whole;
}

} // namespace horvane
