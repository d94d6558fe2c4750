#pragma once
// The full turn the clock's face and hands are turned by.

namespace horvane {

// A full turn in radians: 2 pi written with 15 significant digits, as the face and hand
// formulas use it (not the library's pi, whose last digits differ).
inline constexpr double kFullTurn = 6.28318530717958;

} // namespace horvane
