#pragma once
// The year's events as an iCalendar file: one event of no length per occurrence, at the minute
// the board shows it, told in universal time, that a calendar program shows without marking
// the time busy and replaces, rather than repeats, when the file is imported again.

#include "tools/almanac/AlmanacYear.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace horvane {

// The year's pages of one place, by search (BoardSearch as the index); those of the events
// asked for are there.
using YearPages = std::array<std::optional<YearTable>, 3>;

// The calendar of the events from the pages, made at stampUtc; CRLF line ends, lines folded.
std::string YearCalendar(const std::vector<BoardEvent>& events, const YearPages& pages,
                         const CivilDateTime& stampUtc);

// The text as a property value: backslashes, semicolons and commas escaped, line breaks as
// "\n", control characters other than the tab left out.
std::string CalendarPropertyText(const std::string& text);

// The content line folded so that no line is longer than 75 octets, never inside a character
// of UTF-8, each line ended by CRLF.
std::string FoldedContentLine(const std::string& line);

} // namespace horvane
