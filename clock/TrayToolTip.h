#pragma once
// What the tray icon says when pointed at: the place and the next two events.

#include "astro/EventBoard.h"
#include "platform/BasicTypes.h"

#include <string>

namespace horvane {

// "Shorewood, Wisconsin, US — Sunset 4:17p, Twilight ends 4:49p": the place, then the two
// events of the board that come soonest and are not past at now (a local Date serial), in time
// order, each in its words with the board's text for its time. Events the board did not find
// are left out; with none left, the place alone.
std::string TrayToolTipText(const std::string& place, const EventBoard& board, DateSerial now);

} // namespace horvane
