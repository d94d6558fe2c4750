#pragma once
// The windows' type: Tahoma, as the windows were designed in, or DejaVu Sans where it is
// missing.

#include <QFont>

namespace horvane {

// Makes Tahoma available from its font files; true when it is. Safe to call again.
bool LoadTahomaFonts();

// The family the windows and the artwork are set in: "Tahoma" once loaded, else "DejaVu Sans".
QString WindowFontFamily();

// The windows' font at a size in points, Tahoma loaded first when it can be.
QFont WindowFont(double pointSize, bool bold = false);

} // namespace horvane
