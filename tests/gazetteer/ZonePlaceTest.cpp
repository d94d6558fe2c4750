#include "gazetteer/ZonePlace.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>

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

struct ZoneCase {
    const char* zone;
    bool withGazetteer;
    const char* place;
};

class PlaceOfTheZone : public TestWithParam<ZoneCase> {};

} // namespace

TEST_P(PlaceOfTheZone, FromTheInstalledZoneTables) {
    const ZoneCase& row = GetParam();
    EXPECT_EQ(Described(PlaceOfZone(row.zone, row.withGazetteer ? Places : NoPlaces,
                                    "/usr/share/zoneinfo")),
              row.place)
        << row.zone;
}

INSTANTIATE_TEST_SUITE_P(
    Gazetteer, PlaceOfTheZone,
    Values(ZoneCase{"Europe/Berlin", true, "Berlin, State of Berlin, DE 52.524N 13.411E"},
           ZoneCase{"Asia/Tokyo", true, "Tokyo, Tokyo, JP 35.690N 139.692E"},
           ZoneCase{"Australia/Sydney", true, "Sydney, New South Wales, AU 33.868S 151.207E"},
           ZoneCase{"America/Argentina/Buenos_Aires", true,
                    "Buenos Aires, Buenos Aires F.D., AR 34.613S 58.377W"},
           // A link that zone.tab still lists with its own country.
           ZoneCase{"Europe/Oslo", true, "Oslo, Oslo, NO 59.913N 10.746E"},
           // Without the gazetteer: the zone's city with the table's coordinates.
           ZoneCase{"Europe/Berlin", false, "Berlin, DE 52.500N 13.367E"},
           ZoneCase{"America/Chicago", false, "Chicago, US 41.850N 87.650W"},
           // No place: zones without coordinates, POSIX strings, nothing.
           ZoneCase{"UTC", true, "(none)"}, ZoneCase{"Etc/GMT+5", true, "(none)"},
           ZoneCase{"EST5EDT,M3.2.0,M11.1.0", true, "(none)"}, ZoneCase{"", true, "(none)"},
           ZoneCase{"Europe", true, "(none)"}));

TEST(PlaceOfTheZone, SkipsRowsItCannotReadAndFindsNothingWithoutTables) {
    const std::filesystem::path folder = testing::TempDir() + "/zone-tables";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "zone.tab") << "# comment\n"
                                       << "XX\t+99\tBad/One\n"
                                       << "XX\t+5230+0132\tBad/Two\n"
                                       << "XX\t5230+01322\tBad/Three\n"
                                       << "XX\t+5230+01372\tBad/Four\n"
                                       << "YY\t-1234+05658\tGood/Place_Name\tcomment\n";
    EXPECT_EQ(Described(PlaceOfZone("Bad/One", NoPlaces, folder)), "(none)");
    EXPECT_EQ(Described(PlaceOfZone("Bad/Two", NoPlaces, folder)), "(none)");
    EXPECT_EQ(Described(PlaceOfZone("Bad/Three", NoPlaces, folder)), "(none)");
    EXPECT_EQ(Described(PlaceOfZone("Bad/Four", NoPlaces, folder)), "(none)"); // 72 minutes
    EXPECT_EQ(Described(PlaceOfZone("Good/Place_Name", NoPlaces, folder)),
              "Place Name, YY 12.567S 56.967E");
    EXPECT_EQ(Described(PlaceOfZone("Europe/Berlin", Places, folder / "missing")), "(none)");
    std::filesystem::remove_all(folder);
}
