#include "gazetteer/ZonePlace.h"

#include "gazetteer/PlaceText.h"

#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace horvane {
namespace {

constexpr const char* kDefaultZoneFolder = "/usr/share/zoneinfo";
// Checked in this order: zone.tab names every zone, links included, with one country.
constexpr const char* kZoneTables[] = {"zone.tab", "zone1970.tab"};
// How many of a city's namesakes are looked through for the one in its zone.
constexpr std::size_t kNamesakes = 50;
constexpr double kMinutesPerDegree = 60;
constexpr double kSecondsPerDegree = 3600;

struct ZoneRow {
    std::string country; // the first of the row's codes
    double latitude = 0;
    double longitude = 0;
};

// One ISO 6709 half, "+5230" or "-0873900": sign, degrees (two or three digits), minutes
// and optional seconds.
std::optional<double> SexagesimalDegrees(std::string_view text, std::size_t degreeDigits) {
    if (text.size() != degreeDigits + 3 && text.size() != degreeDigits + 5)
        return std::nullopt;
    if (text[0] != '+' && text[0] != '-')
        return std::nullopt;
    const auto number = [&](std::size_t at, std::size_t length) -> std::optional<int> {
        int value = 0;
        const char* begin = text.data() + at;
        const auto [end, error] = std::from_chars(begin, begin + length, value);
        if (error != std::errc() || end != begin + length)
            return std::nullopt;
        return value;
    };
    const auto degrees = number(1, degreeDigits);
    const auto minutes = number(1 + degreeDigits, 2);
    const auto seconds = text.size() > degreeDigits + 3 ? number(3 + degreeDigits, 2) : 0;
    if (!degrees || !minutes || !seconds || *minutes >= kMinutesPerDegree ||
        *seconds >= kMinutesPerDegree)
        return std::nullopt;
    const double value = *degrees + *minutes / kMinutesPerDegree + *seconds / kSecondsPerDegree;
    return text[0] == '-' ? -value : value;
}

std::optional<ZoneRow> ParseRow(const std::string& line, std::string_view zone) {
    if (line.empty() || line[0] == '#')
        return std::nullopt;
    std::istringstream fields(line);
    std::string countries, coordinates, name;
    if (!std::getline(fields, countries, '\t') || !std::getline(fields, coordinates, '\t') ||
        !std::getline(fields, name, '\t') || name != zone)
        return std::nullopt;
    const std::size_t split = coordinates.find_first_of("+-", 1);
    if (split == std::string::npos)
        return std::nullopt;
    const auto latitude = SexagesimalDegrees(std::string_view(coordinates).substr(0, split), 2);
    const auto longitude = SexagesimalDegrees(std::string_view(coordinates).substr(split), 3);
    if (!latitude || !longitude)
        return std::nullopt;
    return ZoneRow{countries.substr(0, countries.find(',')), *latitude, *longitude};
}

std::optional<ZoneRow> FindZone(std::string_view zone, const std::filesystem::path& folder) {
    for (const char* table : kZoneTables) {
        std::ifstream in(folder / table);
        for (std::string line; std::getline(in, line);) {
            if (std::optional<ZoneRow> row = ParseRow(line, zone))
                return row;
        }
    }
    return std::nullopt;
}

// "America/Argentina/Buenos_Aires" names Buenos Aires.
std::string CityOfZone(std::string_view zone) {
    std::string city(zone.substr(zone.rfind('/') + 1));
    for (char& c : city)
        c = c == '_' ? ' ' : c;
    return city;
}

std::optional<ZonePlace> FromGazetteer(const std::string& city, std::string_view zone,
                                       const Gazetteer& gazetteer) {
    for (const PlaceMatch& match : gazetteer.Search(city, kNamesakes)) {
        const GazetteerPlace place = gazetteer.Place(match.place);
        if (place.zone == zone &&
            (match.quality == MatchQuality::WholeName || match.quality == MatchQuality::NamePrefix))
            return ZonePlace{StoredPlaceName(place), LatitudeText(place.latitude),
                             LongitudeText(place.longitude)};
    }
    return std::nullopt;
}

} // namespace

std::filesystem::path ZoneTableFolder() {
    const char* chosen = std::getenv("TZDIR");
    return chosen && *chosen ? chosen : kDefaultZoneFolder;
}

std::optional<ZonePlace> PlaceOfZone(std::string_view zone, GazetteerSource gazetteer,
                                     const std::filesystem::path& folder) {
    if (zone.empty())
        return std::nullopt;
    const std::optional<ZoneRow> row = FindZone(zone, folder);
    if (!row)
        return std::nullopt;
    const std::string city = CityOfZone(zone);
    if (const Gazetteer* places = gazetteer()) {
        if (std::optional<ZonePlace> place = FromGazetteer(city, zone, *places))
            return place;
    }
    return ZonePlace{city + ", " + row->country, LatitudeText(row->latitude),
                     LongitudeText(row->longitude)};
}

} // namespace horvane
