#include "tools/almanac/AlmanacOptions.h"

#include "astro/TimeUnits.h"
#include "settings/DefaultLocations.h"

#include <charconv>
#include <chrono>
#include <cstdio>

namespace horvane {
namespace {

constexpr std::int32_t kLargestUtcOffsetMinutes = kMinutesPerDay - 1;

template <typename Number> std::optional<Number> WholeNumber(std::string_view text) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

bool IsValidCivil(const CivilDateTime& civil) {
    using namespace std::chrono;
    const year_month_day date{year{civil.year}, month{unsigned(civil.month)},
                              day{unsigned(civil.day)}};
    return date.ok() && civil.year >= 1900 && civil.year <= 9999 && civil.hour < 24 &&
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
    } else if (name == "--location") {
        options.locationName = value;
    } else if (name == "--face") {
        options.facePath = value;
        if (value.empty())
            error = "--face needs a file name";
    } else {
        error = "unknown option " + name;
    }
    return error.empty();
}

bool TakesValue(const std::string& name) {
    return name == "--lat" || name == "--lon" || name == "--location" || name == "--at" ||
           name == "--utc-offset" || name == "--face";
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
        if (name == "--json") {
            parsed.options.json = true;
            continue;
        }
        if (name == "--help" || name == "-h") {
            parsed.options.help = true;
            continue;
        }
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
    return parsed;
}

const char* AlmanacUsage() {
    static const std::string usage =
        std::string(
            "usage: horvane-almanac [--lat TEXT --lon TEXT | --location NAME]\n"
            "                       [--at \"YYYY-MM-DD HH:MM:SS\"]\n"
            "                       [--utc-offset MINUTES] [--json] [--face FILE.png] [--help]\n"
            "\n"
            "Prints the last and next twilight, sun and moon events for a place.\n"
            "\n"
            "  --lat TEXT, --lon TEXT  the place, as 43.089N 87.888W, -33.917, .105W\n"
            "  --location NAME         a stored location (default: the clock's current\n"
            "                          location, or ") +
        kDefaultLocationName +
        " when none)\n"
        "  --at \"YYYY-MM-DD HH:MM:SS\"  the local clock time (default: now)\n"
        "  --utc-offset MINUTES    local time minus UTC (default: the system's zone)\n"
        "  --json                  one JSON object instead of the board\n"
        "  --face FILE.png         also write the clock's face at that instant and place\n"
        "  --help                  this text\n";
    return usage.c_str();
}

} // namespace horvane
