#pragma once
// Points on the artwork given by a turn and a radius about a centre.

#include <QPointF>
#include <cmath>
#include <numbers>

namespace horvane {

// The point at radius from centre, turn (a fraction of a full turn) clockwise from the top;
// y grows downwards.
inline QPointF PointAt(QPointF centre, double turn, double radius) {
    const double angle = turn * 2 * std::numbers::pi;
    return centre + QPointF(radius * std::sin(angle), -radius * std::cos(angle));
}

} // namespace horvane
