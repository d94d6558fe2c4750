#include "gazetteer/ZonePlace.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <tuple>

using namespace horvane;
using namespace ::testing;

namespace {

const Gazetteer* Places() {
    static const GazetteerLoad load = Gazetteer::Load(HORVANE_TEST_PLACES_FILE);
    return load.gazetteer.get();
}
const Gazetteer* NoPlaces() {
    return nullptr;
}

std::string Described(const std::optional<ZonePlace>& place) {
    return place ? place->name + " " + place->latitudeText + " " + place->longitudeText : "(none)";
}

} // namespace

TEST(PlaceOfTheZone, FromTheInstalledZoneTables) {
    const std::tuple<const char*, bool, const char*> rows[] = {
        {"Europe/Berlin", true, "Berlin, State of Berlin, DE 52.524N 13.411E"},
        {"Asia/Tokyo", true, "Tokyo, Tokyo, JP 35.690N 139.692E"},
        {"Australia/Sydney", true, "Sydney, New South Wales, AU 33.868S 151.207E"},
        {"America/Argentina/Buenos_Aires", true,
         "Buenos Aires, Buenos Aires F.D., AR 34.613S 58.377W"},
        // A link that zone.tab still lists with its own country.
        {"Europe/Oslo", true, "Oslo, Oslo, NO 59.913N 10.746E"},
        // Without the gazetteer: the zone's city with the table's coordinates.
        {"Europe/Berlin", false, "Berlin, DE 52.500N 13.367E"},
        {"America/Chicago", false, "Chicago, US 41.850N 87.650W"},
        // No place: zones without coordinates, POSIX strings, nothing.
        {"UTC", true, "(none)"},
        {"Etc/GMT+5", true, "(none)"},
        {"EST5EDT,M3.2.0,M11.1.0", true, "(none)"},
        {"", true, "(none)"},
        {"Europe", true, "(none)"}};
    for (const auto& [zone, withGazetteer, place] : rows)
        EXPECT_EQ(
            Described(PlaceOfZone(zone, withGazetteer ? Places : NoPlaces, "/usr/share/zoneinfo")),
            place)
            << zone;
}

TEST(PlaceOfTheZone, SkipsRowsItCannotReadAndFindsNothingWithoutTables) {
    const std::filesystem::path folder = testing::TempDir() + "/zone-tables";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "zone.tab") << "# comment\n"
                                       << "XX\t+99\tBad/One\n"
                                       << "XX\t+5230+0132\tBad/Two\n"
                                       << "XX\t5230+01322\tBad/Three\n"
                                       << "XX\t+5230+01372\tBad/Four\n" // 72 minutes
                                       << "YY\t-1234+05658\tGood/Place_Name\tcomment\n";
    std::vector<std::string> found;
    for (const char* zone : {"Bad/One", "Bad/Two", "Bad/Three", "Bad/Four", "Good/Place_Name"})
        found.push_back(Described(PlaceOfZone(zone, NoPlaces, folder)));
    found.push_back(Described(PlaceOfZone("Europe/Berlin", Places, folder / "missing")));
    EXPECT_THAT(found, ElementsAre("(none)", "(none)", "(none)", "(none)",
                                   "Place Name, YY 12.567S 56.967E", "(none)"));
    std::filesystem::remove_all(folder);
}
