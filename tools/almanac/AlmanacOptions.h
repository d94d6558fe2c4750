#pragma once
// The command line of horvane-almanac.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace horvane {

struct AlmanacOptions {
    std::optional<std::string> latitudeText;
    std::optional<std::string> longitudeText;
    std::optional<std::string> locationName;      // a stored location
    std::optional<std::string> placeName;         // the gazetteer's best match for it
    std::optional<std::string> placesQuery;       // list the gazetteer's matches instead
    std::optional<CivilDateTime> at;              // local clock time; default: the system clock
    std::optional<std::int32_t> utcOffsetMinutes; // default: the system's zone at that instant
    std::optional<std::string> facePath;          // write the face picture here (PNG)
    double faceScale = 1;                         // device pixels per face pixel, 1 to 4
    std::optional<int> year;                      // print the year's page instead of the board
    bool twilight = false;                        // the year's page of civil twilight
    bool moon = false;                            // the year's page of the moon
    bool dayLength = false;                       // the sun's page tells each day's length
    bool ics = false;                             // the year's events as a calendar file
    std::vector<BoardEvent> calendarEvents{BoardEvent::SunRise, BoardEvent::SunSet};
    bool eventsGiven = false;
    std::optional<std::string> outPath; // write the calendar file here instead
    bool json = false;
    bool help = false;
    bool version = false;
};

struct ParsedAlmanacOptions {
    AlmanacOptions options;
    std::string error; // empty when the command line was understood
};

// The search the year's page runs: the sun unless --twilight or --moon.
BoardSearch YearEventOf(const AlmanacOptions& options);

ParsedAlmanacOptions ParseAlmanacOptions(const std::vector<std::string>& arguments);

// "YYYY-MM-DD HH:MM:SS" as a valid local date and time.
std::optional<CivilDateTime> ParseLocalDateTime(const std::string& text);

const char* AlmanacUsage();

} // namespace horvane
