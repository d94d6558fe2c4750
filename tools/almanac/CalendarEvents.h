#pragma once
// The events a calendar file of the year may hold, by the names the command line gives them.

#include "astro/EventBoard.h"

#include <string>
#include <vector>

namespace horvane {

// "twilight-begins,sunrise,...": every name, in the board's order.
std::string CalendarEventNames();

// The events of a list such as "sunrise,sunset", each once, in the board's order; answers why
// the list cannot be used in error.
std::vector<BoardEvent> ParseCalendarEvents(const std::string& list, std::string& error);

// The search whose year page holds the event.
BoardSearch SearchOfEvent(BoardEvent event);

// "Sunrise", "Civil twilight begins", ...
const char* CalendarSummary(BoardEvent event);

// "sunrise", "twilight-begins", ...
const char* CalendarEventName(BoardEvent event);

} // namespace horvane
