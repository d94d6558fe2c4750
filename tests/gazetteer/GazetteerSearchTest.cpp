#include "gazetteer/Gazetteer.h"
#include "gazetteer/PlaceFolding.h"
#include "gazetteer/PlaceText.h"

#include <gmock/gmock.h>

using namespace horvane;
using namespace ::testing;

namespace {

const Gazetteer& Places() {
    static const GazetteerLoad load = Gazetteer::Load(HORVANE_TEST_PLACES_FILE);
    EXPECT_EQ(load.problem, "");
    return *load.gazetteer;
}

std::string FirstFound(const std::string& typed) {
    const std::vector<PlaceMatch> found = Places().Search(typed, 10);
    return found.empty() ? "(nothing)" : StoredPlaceName(Places().Place(found[0].place));
}

struct TypedCase {
    const char* typed;
    const char* first;
};

class FirstPlaceFound : public TestWithParam<TypedCase> {};

} // namespace

TEST_P(FirstPlaceFound, ForTheTypedText) {
    EXPECT_EQ(FirstFound(GetParam().typed), GetParam().first) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(
    Gazetteer, FirstPlaceFound,
    Values(
        // Accents and case.
        TypedCase{"zurich", "Zürich, Zurich, CH"}, TypedCase{"ZÜRICH", "Zürich, Zurich, CH"},
        TypedCase{"sao paulo", "São Paulo, São Paulo, BR"},
        TypedCase{"São Paulo", "São Paulo, São Paulo, BR"},
        TypedCase{"koln", "Köln, North Rhine-Westphalia, DE"},
        TypedCase{"  Köln!  ", "Köln, North Rhine-Westphalia, DE"},
        // Another language's name, and the German transliteration.
        TypedCase{"cologne", "Köln, North Rhine-Westphalia, DE"},
        TypedCase{"koeln", "Köln, North Rhine-Westphalia, DE"},
        TypedCase{"munchen", "Munich, Bavaria, DE"},
        // Prefixes: the most populous, capitals first.
        TypedCase{"zur", "Zürich, Zurich, CH"}, TypedCase{"lond", "London, England, GB"},
        TypedCase{"par", "Paris, Île-de-France, FR"},
        TypedCase{"ber", "Berlin, State of Berlin, DE"},
        // A whole name before a longer one; a capital before a larger namesake.
        TypedCase{"york", "York, England, GB"}, TypedCase{"paris", "Paris, Île-de-France, FR"},
        TypedCase{"san jose", "San José, San José, CR"},
        // Later words of a name.
        TypedCase{"paulo", "São Paulo, São Paulo, BR"},
        // A place's own name before another's other name, a capital's among them.
        TypedCase{"sao p", "São Paulo, São Paulo, BR"},
        TypedCase{"aires", "Buenos Aires, Buenos Aires F.D., AR"},
        // Ties of quality broken by population.
        TypedCase{"springfield", "Springfield, Missouri, US"},
        TypedCase{"portland", "Portland, Oregon, US"},
        // Apostrophes and hyphens.
        TypedCase{"xian", "Xi’an, Shaanxi, CN"},
        TypedCase{"aix en provence", "Aix-en-Provence, Provence-Alpes-Côte d'Azur, FR"},
        // Towns of little more than a thousand people.
        TypedCase{"shorewood", "Shorewood, Illinois, US"},
        // Nothing.
        TypedCase{"", "(nothing)"}, TypedCase{"   ", "(nothing)"}, TypedCase{"!?-", "(nothing)"},
        TypedCase{"qqqzzx", "(nothing)"}, TypedCase{"zurichx", "(nothing)"}));

TEST(Gazetteer, HoldsTheTownsOfAThousandPeopleWithCapitalsAndZones) {
    EXPECT_GT(Places().PlaceCount(), 130000u);
    const GazetteerPlace largest = Places().Place(0);
    EXPECT_GE(largest.population, Places().Place(1).population);
    const std::vector<PlaceMatch> tokyo = Places().Search("tokyo", 1);
    ASSERT_EQ(tokyo.size(), 1u);
    const GazetteerPlace place = Places().Place(tokyo[0].place);
    EXPECT_TRUE(place.capital);
    EXPECT_EQ(place.zone, "Asia/Tokyo");
    EXPECT_EQ(place.country, "JP");
    EXPECT_NEAR(place.latitude, 35.69, 0.01);
    EXPECT_NEAR(place.longitude, 139.69, 0.01);
}

TEST(Gazetteer, FindsEveryPlaceByItsOwnName) {
    // The program folds typed text as the data script folded the names: each of the most
    // populous places, and a sample of all the others, typed as it is written, is found as
    // a whole name; a small town with a short name among many larger ones, with its region
    // and country after it.
    const Gazetteer& places = Places();
    const auto foundWhole = [&](std::uint32_t index, const std::string& typed) {
        const std::vector<PlaceMatch> found = places.Search(typed, 1000);
        return std::any_of(found.begin(), found.end(), [&](const PlaceMatch& m) {
            return m.place == index && m.quality == MatchQuality::WholeName;
        });
    };
    for (std::uint32_t index = 0; index < places.PlaceCount(); index += index < 5000 ? 1 : 17) {
        const GazetteerPlace place = places.Place(index);
        EXPECT_TRUE(foundWhole(index, std::string(place.name)) ||
                    foundWhole(index, StoredPlaceName(place)))
            << place.name;
    }
}

TEST(Gazetteer, ListsEachPlaceOnceBestFirstWithinTheLimit) {
    const std::vector<PlaceMatch> found = Places().Search("s", 10);
    ASSERT_EQ(found.size(), 10u);
    std::set<std::uint32_t> distinct;
    for (const PlaceMatch& match : found)
        distinct.insert(match.place);
    EXPECT_EQ(distinct.size(), 10u);
    // "colo" meets Köln through many of its names; it is listed once.
    const std::vector<PlaceMatch> colo = Places().Search("colo", 100);
    EXPECT_EQ(
        std::count_if(colo.begin(), colo.end(),
                      [](const PlaceMatch& m) { return Places().Place(m.place).name == "Köln"; }),
        1);
    EXPECT_THAT(Places().Search("zurich", 0), IsEmpty());
}

TEST(Gazetteer, TellsAClearFirstMatchFromAnEvenOne) {
    const auto clear = [](const char* typed) {
        return Places().FirstIsClear(Places().Search(typed, 10));
    };
    EXPECT_TRUE(clear("paris"));        // a capital among namesakes
    EXPECT_TRUE(clear("portland"));     // ten times the next one
    EXPECT_FALSE(clear("springfield")); // several of a size
    EXPECT_FALSE(clear("qqqzzx"));
}

TEST(PlaceFolding, TakesOffAccentsCaseAndPunctuation) {
    EXPECT_EQ(FoldPlaceName("Zürich"), "zurich");
    EXPECT_EQ(FoldPlaceName("  São-Paulo  "), "sao paulo");
    EXPECT_EQ(FoldPlaceName("Straße"), "strasse");
    EXPECT_EQ(FoldPlaceName("Łódź"), "lodz");
    EXPECT_EQ(FoldPlaceName("Xi'an"), "xian");
    EXPECT_EQ(FoldPlaceName("Москва"), "москва");
    EXPECT_EQ(FoldPlaceName("\xff\xfe"), "");
}

TEST(PlaceText, WritesStoredNamesCoordinatesAndRows) {
    GazetteerPlace place;
    place.name = "Zürich";
    place.region = "Zurich";
    place.country = "CH";
    place.latitude = 47.36667;
    place.longitude = 8.55;
    EXPECT_EQ(StoredPlaceName(place), "Zürich, Zurich, CH");
    EXPECT_EQ(PlaceRowText(place), "Zürich, Zurich, CH — 47.37N 8.55E");
    place.region = "";
    EXPECT_EQ(StoredPlaceName(place), "Zürich, CH");
    EXPECT_EQ(LatitudeText(-33.86785), "33.868S");
    EXPECT_EQ(LongitudeText(-0.1257), "0.126W");
    EXPECT_EQ(LongitudeText(-0.0001), "0.000E");
    EXPECT_EQ(LatitudeText(90), "90.000N");
}

TEST(Gazetteer, NarrowsANameByRegionOrCountryAfterAComma) {
    const auto all = [](const char* typed) {
        std::vector<std::string> names;
        for (const PlaceMatch& match : Places().Search(typed, 100))
            names.push_back(StoredPlaceName(Places().Place(match.place)));
        return names;
    };
    EXPECT_THAT(all("springfield, illinois"), ElementsAre("Springfield, Illinois, US"));
    EXPECT_THAT(all("Springfield, il"), ElementsAre("Springfield, Illinois, US"));
    EXPECT_EQ(all("paris, us").front(), "Paris, Texas, US");
    EXPECT_EQ(all("paris, fr").front(), "Paris, Île-de-France, FR");
    EXPECT_EQ(all("Zürich, Zurich, CH").front(), "Zürich, Zurich, CH");
    EXPECT_EQ(all("Washington, D.C.").front(), "Washington, D.C., District of Columbia, US");
    EXPECT_THAT(all("springfield, nowhere"), IsEmpty());
    EXPECT_THAT(all("springfield,"), Contains("Springfield, Illinois, US"));
}
