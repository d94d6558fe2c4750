#include "tools/almanac/AlmanacOptions.h"

#include "astro/TimeUnits.h"
#include "settings/DefaultLocations.h"
#include "tools/almanac/CalendarEvents.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace horvane {
namespace {

constexpr std::int32_t kLargestUtcOffsetMinutes = kMinutesPerDay - 1;
constexpr int kFirstYear = 1900; // the years a local date and time may name
constexpr int kLastYear = 9999;
// The scales a face picture may be drawn at, in device pixels per face pixel.
constexpr double kSmallestFaceScale = 1;
constexpr double kLargestFaceScale = 4;

template <typename Number> std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Digits with an optional fraction, as 1.75: no sign, exponent or spelled-out infinity.
std::optional<double> DecimalNumber(std::string_view text) {
    const std::size_t point = text.find('.');
    const auto digits = [](std::string_view part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (!digits(text.substr(0, point)) ||
        (point != std::string_view::npos && !digits(text.substr(point + 1))))
        return std::nullopt;
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

bool IsValidCivil(const CivilDateTime& civil) {
    using namespace std::chrono;
    const year_month_day date{year{civil.year}, month{unsigned(civil.month)},
                              day{unsigned(civil.day)}};
    return date.ok() && civil.year >= kFirstYear && civil.year <= kLastYear && civil.hour < 24 &&
           civil.minute < 60 && civil.second < 60;
}

// Splits "--name=value" and takes the value of "--name value" from the next argument.
struct ArgumentReader {
    const std::vector<std::string>& arguments;
    std::size_t index = 0;

    bool Done() const { return index >= arguments.size(); }

    bool TakeValue(const std::string& name, std::string& value, std::string& error) {
        if (++index >= arguments.size()) {
            error = name + " needs a value";
            return false;
        }
        value = arguments[index];
        return true;
    }
};

bool ApplyValueOption(const std::string& name, const std::string& value, AlmanacOptions& options,
                      std::string& error) {
    if (name == "--lat") {
        options.latitudeText = value;
    } else if (name == "--lon") {
        options.longitudeText = value;
    } else if (name == "--at") {
        options.at = ParseLocalDateTime(value);
        if (!options.at)
            error = "--at takes \"YYYY-MM-DD HH:MM:SS\", not \"" + value + "\"";
    } else if (name == "--utc-offset") {
        options.utcOffsetMinutes = WholeNumber<std::int32_t>(value);
        if (!options.utcOffsetMinutes || *options.utcOffsetMinutes < -kLargestUtcOffsetMinutes ||
            *options.utcOffsetMinutes > kLargestUtcOffsetMinutes)
            error = "--utc-offset takes whole minutes from -1439 to 1439, not \"" + value + "\"";
    } else if (name == "--year") {
        options.year = WholeNumber<int>(value);
        if (!options.year || *options.year < kFirstYear || *options.year > kLastYear)
            error = "--year takes a year from 1900 to 9999, not \"" + value + "\"";
    } else if (name == "--location") {
        options.locationName = value;
    } else if (name == "--place") {
        options.placeName = value;
    } else if (name == "--places") {
        options.placesQuery = value;
    } else if (name == "--face") {
        options.facePath = value;
        if (value.empty())
            error = "--face needs a file name";
    } else if (name == "--events") {
        options.calendarEvents = ParseCalendarEvents(value, error);
        options.eventsGiven = true;
    } else if (name == "--out") {
        options.outPath = value;
        if (value.empty())
            error = "--out needs a file name";
    } else if (name == "--scale") {
        const std::optional<double> scale = DecimalNumber(value);
        if (!scale || *scale < kSmallestFaceScale || *scale > kLargestFaceScale)
            error = "--scale takes a number from 1 to 4, not \"" + value + "\"";
        else
            options.faceScale = *scale;
    } else {
        error = "unknown option " + name;
    }
    return error.empty();
}

bool TakesValue(const std::string& name) {
    return name == "--lat" || name == "--lon" || name == "--location" || name == "--place" ||
           name == "--places" || name == "--at" || name == "--utc-offset" || name == "--face" ||
           name == "--scale" || name == "--year" || name == "--events" || name == "--out";
}

// Options that are mere switches; answers whether name was one.
bool ApplySwitch(const std::string& name, AlmanacOptions& options) {
    bool AlmanacOptions::*const flag = name == "--json"         ? &AlmanacOptions::json
                                       : name == "--twilight"   ? &AlmanacOptions::twilight
                                       : name == "--moon"       ? &AlmanacOptions::moon
                                       : name == "--day-length" ? &AlmanacOptions::dayLength
                                       : name == "--ics"        ? &AlmanacOptions::ics
                                       : name == "--help" || name == "-h" ? &AlmanacOptions::help
                                       : name == "--version"              ? &AlmanacOptions::version
                                                                          : nullptr;
    if (flag)
        options.*flag = true;
    return flag != nullptr;
}

// The options that go with the calendar file and the day length column, and those that do not.
std::string CalendarProblem(const AlmanacOptions& options) {
    if ((options.dayLength || options.ics) && !options.year)
        return "--day-length and --ics go with --year";
    if (options.dayLength && (options.twilight || options.moon || options.ics))
        return "--day-length goes with the sun's page alone";
    if (options.ics && (options.twilight || options.moon || options.json))
        return "--ics chooses its events with --events, and is no JSON";
    if ((options.eventsGiven || options.outPath) && !options.ics)
        return "--events and --out go with --ics";
    // The last evening of 9999 west of Greenwich falls in 10000 by universal time, past the
    // four digits a calendar file writes a year in.
    if (options.ics && options.year == kLastYear)
        return "--ics takes a year up to " + std::to_string(kLastYear - 1);
    return {};
}

// The options that go with the year's page, and those that do not.
std::string YearPageProblem(const AlmanacOptions& options) {
    if (!options.year && (options.twilight || options.moon))
        return "--twilight and --moon go with --year";
    if (options.twilight && options.moon)
        return "give either --twilight or --moon";
    if (options.year && options.at)
        return "--year and --at do not go together";
    if (options.year && options.facePath)
        return "--year and --face do not go together";
    if (options.faceScale != 1 && !options.facePath)
        return "--scale goes with --face";
    return CalendarProblem(options);
}

// The list of places is a command of its own.
bool PlacesGoesAlone(const AlmanacOptions& options) {
    return !options.latitudeText && !options.locationName && !options.placeName && !options.at &&
           !options.utcOffsetMinutes && !options.facePath && !options.year && !options.twilight &&
           !options.moon;
}

} // namespace

std::optional<CivilDateTime> ParseLocalDateTime(const std::string& text) {
    // Exactly YYYY-MM-DD HH:MM:SS.
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return std::nullopt;
    const std::string_view view(text);
    const auto year = WholeNumber<unsigned>(view.substr(0, 4));
    const auto month = WholeNumber<unsigned>(view.substr(5, 2));
    const auto day = WholeNumber<unsigned>(view.substr(8, 2));
    const auto hour = WholeNumber<unsigned>(view.substr(11, 2));
    const auto minute = WholeNumber<unsigned>(view.substr(14, 2));
    const auto second = WholeNumber<unsigned>(view.substr(17, 2));
    if (!year || !month || !day || !hour || !minute || !second)
        return std::nullopt;
    const CivilDateTime civil{int(*year), int(*month),  int(*day),
                              int(*hour), int(*minute), int(*second)};
    if (!IsValidCivil(civil))
        return std::nullopt;
    return civil;
}

ParsedAlmanacOptions ParseAlmanacOptions(const std::vector<std::string>& arguments) {
    ParsedAlmanacOptions parsed;
    for (ArgumentReader reader{arguments}; !reader.Done(); ++reader.index) {
        std::string name = arguments[reader.index];
        std::string value;
        if (ApplySwitch(name, parsed.options))
            continue;
        const std::size_t equals = name.find('=');
        if (name.starts_with("--") && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (TakesValue(name) && !reader.TakeValue(name, value, parsed.error)) {
            return parsed;
        }
        if (!ApplyValueOption(name, value, parsed.options, parsed.error))
            return parsed;
    }
    if (parsed.options.latitudeText.has_value() != parsed.options.longitudeText.has_value())
        parsed.error = "--lat and --lon go together";
    else if (parsed.options.latitudeText && parsed.options.locationName)
        parsed.error = "give either --location or --lat and --lon";
    else if (parsed.options.placeName &&
             (parsed.options.latitudeText || parsed.options.locationName))
        parsed.error = "--place goes without --location, --lat and --lon";
    else if (parsed.options.placesQuery && !PlacesGoesAlone(parsed.options))
        parsed.error = "--places goes alone, or with --json";
    else
        parsed.error = YearPageProblem(parsed.options);
    return parsed;
}

BoardSearch YearEventOf(const AlmanacOptions& options) {
    return options.twilight ? BoardSearch::Twilight
           : options.moon   ? BoardSearch::Moon
                            : BoardSearch::Sun;
}

const char* AlmanacUsage() {
    static const std::string usage =
        std::string(
            "usage: horvane-almanac [--lat TEXT --lon TEXT | --location NAME | --place NAME]\n"
            "                       [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
            "                       [--utc-offset MINUTES] [--json] [--face FILE.png [--scale S]]\n"
            "       horvane-almanac --year YYYY [--twilight | --moon]\n"
            "                       [--lat TEXT --lon TEXT | --location NAME | --place NAME]\n"
            "                       [--utc-offset MINUTES] [--json] [--day-length]\n"
            "       horvane-almanac --year YYYY --ics [--events LIST] [--out FILE]\n"
            "                       [--lat TEXT --lon TEXT | --location NAME | --place NAME]\n"
            "                       [--utc-offset MINUTES]\n"
            "       horvane-almanac --places NAME [--json]\n"
            "       horvane-almanac --help | --version\n"
            "\n"
            "Prints the last and next twilight, sun and moon events and the day's length\n"
            "for a place, or the rising and setting times of every day of a year, or those\n"
            "events as an iCalendar file.\n"
            "\n"
            "  --lat TEXT, --lon TEXT  the place, as 43.089N 87.888W, -33.917, .105W\n"
            "  --location NAME         a stored location (default: the clock's current\n"
            "                          location, or ") +
        kDefaultLocationName +
        " when none)\n"
        "  --place NAME            the town or city of that name (\"Zurich\", \"Springfield,\n"
        "                          Illinois\", \"Paris, FR\"); several of a size are listed\n"
        "  --places NAME           list the towns and cities that match the name\n"
        "  --at \"YYYY-MM-DD HH:MM:SS\"  the local clock time (default: now)\n"
        "  --utc-offset MINUTES    local time minus UTC (default: the system's zone)\n"
        "  --json                  one JSON object instead of the board\n"
        "  --face FILE.png         also write the clock's face at that instant and place\n"
        "  --scale S               with --face: draw it at S device pixels per pixel, 1 to 4\n"
        "                          (2 for a doubled screen; default 1)\n"
        "  --year YYYY             the year's page: sunrise and sunset (hhmm) of every day,\n"
        "                          days down, months across; **** the sun stays up all\n"
        "                          day, ---- it stays down. Without --utc-offset each\n"
        "                          day takes the system zone's offset at its noon\n"
        "  --twilight              with --year: civil twilight begins and ends instead\n"
        "  --moon                  with --year: moonrise and moonset instead\n"
        "  --day-length            with --year: each day's length of daylight too (hh:mm)\n"
        "  --ics                   with --year: the events as an iCalendar file, in UTC\n"
        "  --events LIST           with --ics: some of " +
        CalendarEventNames() +
        "\n"
        "                          (default: sunrise,sunset)\n"
        "  --out FILE              with --ics: write the file there, whole or not at all\n"
        "  --help                  this text\n"
        "  --version               the program's version\n";
    return usage.c_str();
}

} // namespace horvane
